/* The game program shared by the sample disc's items. Each copy finds out which item it is from its own file
 * name and shows that item's title with a small animation of its own. */
#ifndef NORVA_SAMPLE_GAME_H
#define NORVA_SAMPLE_GAME_H

#include <windows.h>

enum Scene {
  kSceneSky,     /* a balloon over drifting clouds */
  kSceneSea,     /* a ship rocking on the waves */
  kSceneSnow,    /* falling snow */
  kSceneStars,   /* flight through a star field */
  kSceneMine,    /* a mine cart on its rails */
  kSceneSnake,   /* a snake winding across the field */
  kSceneWall,    /* a castle wall built stone by stone */
  kSceneBeam,    /* a lighthouse sweeping the night */
  kSceneBubbles, /* bubbles rising from the factory */
  kSceneRiddles, /* question marks bouncing */
  kSceneGolf     /* a ball looping round a planet */
};

struct GameItem {
  const wchar_t* stem;     /* program file name without extension, lower case */
  const wchar_t* title;    /* shown in the window */
  const wchar_t* subtitle; /* the kind of program */
  enum Scene scene;
  COLORREF sky; /* background */
  COLORREF ink; /* title and details */
  /* A file the program leaves on the machine each time it runs (for items run from the disc whose
   * presence the menu tests): INI file in the Windows folder, or NULL. */
  const wchar_t* test_file;
};

/* The item of this program file name; a generic one for names not in the table. */
const struct GameItem* FindGameItem(const wchar_t* stem);

/* Draws frame `tick` (30 a second) of the item's scene into the rectangle. */
void DrawScene(HDC dc, const RECT* area, const struct GameItem* item, unsigned tick);

#endif

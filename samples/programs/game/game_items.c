#include "game.h"

#include <wchar.h>

static const struct GameItem kItems[] = {
    {L"skyhop", L"Skyhopper", L"demo", kSceneSky, RGB(120, 180, 235), RGB(30, 40, 90), NULL},
    {L"skyhop11", L"Skyhopper 1.1", L"update", kSceneSky, RGB(150, 200, 240), RGB(30, 40, 90), NULL},
    {L"editor", L"Skyhopper \u2013 editor \u00farovn\u00ed", L"tool", kSceneSky, RGB(200, 220, 240),
     RGB(40, 40, 60), NULL},
    {L"cove", L"Pir\u00e1tsk\u00e1 z\u00e1toka", L"demo", kSceneSea, RGB(250, 200, 120), RGB(70, 30, 10),
     NULL},
    {L"cvsetup", L"Pir\u00e1tsk\u00e1 z\u00e1toka \u2013 nastaven\u00ed", L"settings", kSceneSea,
     RGB(230, 210, 170), RGB(70, 30, 10), NULL},
    {L"cove12", L"Pir\u00e1tsk\u00e1 z\u00e1toka 1.2", L"update", kSceneSea, RGB(250, 210, 140),
     RGB(70, 30, 10), NULL},
    {L"castle", L"Castle Rush", L"demo", kSceneWall, RGB(90, 120, 160), RGB(250, 240, 210), L"castle.ini"},
    {L"snowball", L"Sn\u011bhov\u00e1 bitva", L"Christmas special", kSceneSnow, RGB(40, 60, 110),
     RGB(255, 255, 255), NULL},
    {L"miner", L"Tunnel Miner", L"full version", kSceneMine, RGB(50, 35, 25), RGB(255, 210, 90), NULL},
    {L"miner102", L"Tunnel Miner 1.0.2", L"update", kSceneMine, RGB(60, 45, 30), RGB(255, 210, 90), NULL},
    {L"freighter", L"Star Freighter", L"full version", kSceneStars, RGB(5, 5, 25), RGB(160, 220, 255), NULL},
    {L"sf101", L"Star Freighter 1.01", L"update", kSceneStars, RGB(10, 10, 35), RGB(160, 220, 255), NULL},
    {L"hadanky", L"H\u00e1danky", L"for the whole family", kSceneRiddles, RGB(255, 240, 200),
     RGB(120, 40, 90), NULL},
    {L"had3d", L"Had 3D", L"reader's game", kSceneSnake, RGB(20, 70, 30), RGB(230, 255, 200), NULL},
    {L"keeper", L"Lighthouse Keeper", L"full version", kSceneBeam, RGB(15, 20, 50), RGB(255, 230, 150), NULL},
    {L"bubbles", L"Bubble Factory", L"full version", kSceneBubbles, RGB(70, 160, 170), RGB(255, 255, 255),
     NULL},
    {L"golf", L"Orbital Golf", L"full version", kSceneGolf, RGB(20, 15, 45), RGB(170, 255, 170), NULL},
    {L"courier", L"Comet Courier", L"full version", kSceneStars, RGB(10, 15, 40), RGB(255, 200, 120), NULL},
    {L"cranes", L"Harbour Cranes", L"full version", kSceneSea, RGB(60, 90, 120), RGB(255, 220, 80), NULL},
    {L"tapety", L"Tapety Norva", L"wallpapers", kSceneSky, RGB(240, 200, 140), RGB(60, 30, 20), NULL},
    {L"zapisnik", L"Z\u00e1pisn\u00edk 2.1", L"shareware", kSceneRiddles, RGB(250, 250, 235), RGB(40, 40, 40),
     NULL},
};

const struct GameItem* FindGameItem(const wchar_t* stem) {
  static struct GameItem other = {
      NULL, NULL, L"sample program", kSceneStars, RGB(30, 30, 40), RGB(230, 230, 230), NULL};
  for (size_t i = 0; i < sizeof kItems / sizeof kItems[0]; ++i) {
    if (wcscmp(kItems[i].stem, stem) == 0) return &kItems[i];
  }
  other.stem = stem;
  other.title = stem;
  return &other;
}

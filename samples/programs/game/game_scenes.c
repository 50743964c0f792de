/* The scenes: plain GDI shapes moved by the frame counter, 30 frames a second. Positions are computed from
 * the tick alone, so any frame can be drawn on its own. */
#include <math.h>

#include "game.h"

#define PI 3.14159265358979

static void Disc(HDC dc, int x, int y, int r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  Ellipse(dc, x - r, y - r, x + r + 1, y + r + 1);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(brush);
  DeleteObject(pen);
}

static void Box(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  RECT r = {left, top, right, bottom};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

static void Shape(HDC dc, const POINT* points, int count, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  Polygon(dc, points, count);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(brush);
  DeleteObject(pen);
}

static void Line(HDC dc, int x1, int y1, int x2, int y2, int width, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, width, color);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, NULL);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

/* A repeatable pseudo-random number for particle n. */
static unsigned Scatter(unsigned n) {
  n = (n ^ 61u) ^ (n >> 16);
  n *= 9u;
  n ^= n >> 4;
  n *= 0x27d4eb2du;
  return n ^ (n >> 15);
}

static void Sky(HDC dc, int w, int h, unsigned t) {
  for (int i = 0; i < 6; ++i) {
    const int x = (int)((Scatter(i) % (unsigned)(w + 200) + t * (1 + i % 3)) % (unsigned)(w + 200)) - 100;
    const int y = 40 + (int)(Scatter(i + 50) % (unsigned)(h / 2));
    Disc(dc, x, y, 22, RGB(250, 250, 255));
    Disc(dc, x + 25, y - 8, 28, RGB(250, 250, 255));
    Disc(dc, x + 55, y, 20, RGB(250, 250, 255));
  }
  const int bx = w / 2 + (int)(60 * sin(t / 40.0));
  const int by = h / 2 + (int)(25 * sin(t / 17.0));
  Line(dc, bx - 24, by + 20, bx - 10, by + 62, 2, RGB(90, 60, 30));
  Line(dc, bx + 24, by + 20, bx + 10, by + 62, 2, RGB(90, 60, 30));
  Disc(dc, bx, by, 42, RGB(220, 60, 50));
  Disc(dc, bx, by, 18, RGB(250, 200, 60));
  Box(dc, bx - 12, by + 60, bx + 12, by + 78, RGB(140, 90, 40));
}

static void Sea(HDC dc, int w, int h, unsigned t) {
  Disc(dc, w - 90, 70 + (int)(10 * sin(t / 60.0)), 34, RGB(255, 230, 120));
  const double tilt = 0.12 * sin(t / 14.0);
  const int cx = w / 2, cy = h * 2 / 3 - 10 + (int)(6 * sin(t / 9.0));
  POINT hull[4] = {{-90, -10}, {90, -10}, {60, 25}, {-60, 25}};
  POINT sail[3] = {{0, -110}, {0, -18}, {70, -18}};
  for (int i = 0; i < 4; ++i) {
    const int x = hull[i].x, y = hull[i].y;
    hull[i].x = cx + (int)(x * cos(tilt) - y * sin(tilt));
    hull[i].y = cy + (int)(x * sin(tilt) + y * cos(tilt));
  }
  for (int i = 0; i < 3; ++i) {
    const int x = sail[i].x, y = sail[i].y;
    sail[i].x = cx + (int)(x * cos(tilt) - y * sin(tilt));
    sail[i].y = cy + (int)(x * sin(tilt) + y * cos(tilt));
  }
  Shape(dc, sail, 3, RGB(245, 240, 225));
  Shape(dc, hull, 4, RGB(110, 60, 30));
  for (int row = 0; row < 5; ++row) {
    POINT wave[66];
    const int base = h * 2 / 3 + 15 + row * 22;
    for (int i = 0; i <= 32; ++i) {
      wave[i].x = i * w / 32;
      wave[i].y = base + (int)(8 * sin(i * 0.7 + t / 8.0 + row));
    }
    wave[33].x = w;
    wave[33].y = h;
    wave[34].x = 0;
    wave[34].y = h;
    Shape(dc, wave, 35, RGB(20, 70 + row * 15, 140 + row * 10));
  }
}

static void Snow(HDC dc, int w, int h, unsigned t) {
  Box(dc, 0, h - 50, w, h, RGB(240, 245, 255));
  Disc(dc, w / 4, h - 75, 30, RGB(250, 250, 255));
  Disc(dc, w / 4, h - 125, 22, RGB(250, 250, 255));
  Disc(dc, w / 4 + 8, h - 130, 3, RGB(20, 20, 20));
  for (unsigned i = 0; i < 90; ++i) {
    const unsigned speed = 1 + Scatter(i) % 3;
    const int y = (int)((Scatter(i + 7) % (unsigned)h + t * speed) % (unsigned)h);
    const int x = (int)(Scatter(i + 99) % (unsigned)w) + (int)(12 * sin((t + i * 13) / 20.0));
    Disc(dc, x, y, (int)speed + 1, RGB(255, 255, 255));
  }
}

static void Stars(HDC dc, int w, int h, unsigned t) {
  for (unsigned i = 0; i < 120; ++i) {
    const double angle = (Scatter(i) % 6283) / 1000.0;
    const double distance = fmod((Scatter(i + 500) % 1000) / 1000.0 + t / 150.0, 1.0);
    const int x = w / 2 + (int)(cos(angle) * distance * distance * w * 0.7);
    const int y = h / 2 + (int)(sin(angle) * distance * distance * h * 0.7);
    Disc(dc, x, y, distance > 0.6 ? 2 : 1, RGB(220, 220, 255));
  }
  const int sx = w / 2 + (int)(40 * sin(t / 30.0)), sy = h / 2 + 60;
  POINT ship[4] = {{sx, sy - 30}, {sx + 34, sy + 22}, {sx, sy + 10}, {sx - 34, sy + 22}};
  Shape(dc, ship, 4, RGB(190, 200, 215));
  Disc(dc, sx, sy + 18 + (int)(t % 4), 6, RGB(255, 150, 40));
}

static void Mine(HDC dc, int w, int h, unsigned t) {
  Box(dc, 0, h - 60, w, h - 56, RGB(120, 110, 100));
  for (int x = 0; x < w; x += 40) Box(dc, x, h - 56, x + 10, h - 44, RGB(90, 60, 30));
  for (int x = 60; x < w; x += 180) {
    Box(dc, x, 60, x + 14, h - 60, RGB(110, 75, 40));
    Box(dc, x - 20, 60, x + 34, 74, RGB(110, 75, 40));
  }
  const int cart = (int)((w - 120) * (0.5 + 0.5 * sin(t / 45.0))) + 10;
  Box(dc, cart, h - 110, cart + 100, h - 68, RGB(80, 80, 90));
  Disc(dc, cart + 30, h - 95, 14, RGB(240, 190, 40));
  Disc(dc, cart + 60, h - 100, 12, RGB(240, 190, 40));
  Disc(dc, cart + 20, h - 64, 9, RGB(30, 30, 30));
  Disc(dc, cart + 80, h - 64, 9, RGB(30, 30, 30));
  if ((t / 8) % 2) Disc(dc, cart + 46, h - 118, 3, RGB(255, 255, 200));
}

static void SnakeScene(HDC dc, int w, int h, unsigned t) {
  for (int x = 0; x < w; x += 32)
    for (int y = 60; y < h; y += 32) Box(dc, x, y, x + 31, y + 31, RGB(30, 85 + (x + y) % 20, 40));
  Disc(dc, w - 120, h / 2 + 40, 10, RGB(220, 30, 30));
  for (int i = 24; i >= 0; --i) {
    const double s = (t - i * 3) / 25.0;
    const int x = w / 2 + (int)(w * 0.35 * sin(s));
    const int y = h / 2 + 40 + (int)(h * 0.2 * sin(2 * s));
    Disc(dc, x, y, i == 0 ? 12 : 10, i == 0 ? RGB(250, 220, 60) : RGB(200, 180 - i * 3, 40));
  }
}

static void Wall(HDC dc, int w, int h, unsigned t) {
  Box(dc, 0, h - 30, w, h, RGB(80, 120, 50));
  const unsigned stones = (t / 4) % 130;
  for (unsigned n = 0; n < stones && n < 110; ++n) {
    const int row = (int)(n / 11), col = (int)(n % 11);
    const int x = 40 + col * 50 + (row % 2 ? 25 : 0);
    const int y = h - 30 - (row + 1) * 24;
    Box(dc, x, y, x + 47, y + 21, RGB(170 - row * 5, 160 - row * 5, 150 - row * 5));
  }
  Shape(dc, (POINT[]){{w - 100, h - 30}, {w - 60, h - 80}, {w - 20, h - 30}}, 3, RGB(120, 80, 40));
}

static void Beam(HDC dc, int w, int h, unsigned t) {
  const int lx = w / 3, ly = h - 190;
  const double a = t / 25.0;
  POINT beam[3] = {{lx, ly},
                   {lx + (int)(900 * cos(a - 0.12)), ly + (int)(250 * sin(a - 0.12))},
                   {lx + (int)(900 * cos(a + 0.12)), ly + (int)(250 * sin(a + 0.12))}};
  if (sin(a) < 0.3) Shape(dc, beam, 3, RGB(90, 85, 60));
  Box(dc, 0, h - 70, w, h, RGB(10, 40, 80));
  POINT tower[4] = {{lx - 18, ly}, {lx + 18, ly}, {lx + 34, h - 70}, {lx - 34, h - 70}};
  Shape(dc, tower, 4, RGB(230, 230, 230));
  Box(dc, lx - 24, ly + 50, lx + 24, ly + 72, RGB(200, 40, 40));
  Disc(dc, lx, ly - 6, 14, RGB(255, 240, 160));
  for (int i = 0; i < 12; ++i)
    Line(dc, (i * 97 + (int)t) % w, h - 50 + (i % 3) * 15, (i * 97 + (int)t) % w + 30, h - 50 + (i % 3) * 15,
         2, RGB(60, 100, 150));
}

static void Bubbles(HDC dc, int w, int h, unsigned t) {
  Box(dc, 60, h - 140, 260, h, RGB(120, 90, 80));
  Box(dc, 200, h - 220, 240, h - 140, RGB(110, 80, 70));
  Box(dc, 260, h - 20, w, h, RGB(60, 120, 130));
  for (unsigned i = 0; i < 40; ++i) {
    const unsigned cycle = (unsigned)h + 100;
    const int y = h - 220 - (int)((Scatter(i) % cycle + t * (1 + i % 3)) % cycle);
    const int x = 220 + (int)(Scatter(i + 3) % 300) + (int)(20 * sin((t + i * 17) / 15.0));
    const int r = 6 + (int)(Scatter(i + 11) % 14);
    Disc(dc, x, y, r, RGB(180 + i % 60, 230, 255));
    Disc(dc, x - r / 3, y - r / 3, r / 4 + 1, RGB(255, 255, 255));
  }
}

static void Riddles(HDC dc, int w, int h, unsigned t) {
  SetBkMode(dc, TRANSPARENT);
  HFONT font =
      CreateFontW(64, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  for (int i = 0; i < 7; ++i) {
    const int x = 30 + i * (w - 60) / 7;
    const int y = h - 100 - (int)fabs(140 * sin((t + i * 11) / 18.0));
    SetTextColor(dc, RGB(60 + i * 25, 90, 200 - i * 20));
    TextOutW(dc, x, y, i % 2 ? L"?" : L"!", 1);
  }
  SelectObject(dc, old);
  DeleteObject(font);
}

static void Golf(HDC dc, int w, int h, unsigned t) {
  for (unsigned i = 0; i < 60; ++i)
    Disc(dc, (int)(Scatter(i) % (unsigned)w), (int)(Scatter(i + 70) % (unsigned)h), 1, RGB(200, 200, 200));
  const int px = w / 2, py = h / 2 + 40;
  const double a = t / 20.0;
  const int bx = px + (int)(150 * cos(a)), by = py + (int)(60 * sin(a));
  if (sin(a) < 0) Disc(dc, bx, by, 8, RGB(255, 255, 255));
  Disc(dc, px, py, 60, RGB(60, 140, 70));
  Box(dc, px - 2, py - 100, px + 2, py - 58, RGB(230, 230, 230));
  Shape(dc, (POINT[]){{px + 2, py - 100}, {px + 30, py - 90}, {px + 2, py - 80}}, 3, RGB(230, 50, 50));
  if (sin(a) >= 0) Disc(dc, bx, by, 8, RGB(255, 255, 255));
}

void DrawScene(HDC dc, const RECT* area, const struct GameItem* item, unsigned tick) {
  HBRUSH back = CreateSolidBrush(item->sky);
  FillRect(dc, area, back);
  DeleteObject(back);
  const int w = area->right - area->left, h = area->bottom - area->top;
  switch (item->scene) {
    case kSceneSky:
      Sky(dc, w, h, tick);
      break;
    case kSceneSea:
      Sea(dc, w, h, tick);
      break;
    case kSceneSnow:
      Snow(dc, w, h, tick);
      break;
    case kSceneStars:
      Stars(dc, w, h, tick);
      break;
    case kSceneMine:
      Mine(dc, w, h, tick);
      break;
    case kSceneSnake:
      SnakeScene(dc, w, h, tick);
      break;
    case kSceneWall:
      Wall(dc, w, h, tick);
      break;
    case kSceneBeam:
      Beam(dc, w, h, tick);
      break;
    case kSceneBubbles:
      Bubbles(dc, w, h, tick);
      break;
    case kSceneRiddles:
      Riddles(dc, w, h, tick);
      break;
    case kSceneGolf:
      Golf(dc, w, h, tick);
      break;
  }
}

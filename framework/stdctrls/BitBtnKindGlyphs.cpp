// The glyphs of TBitBtn's kinds, drawn here pixel by pixel: 16 x 16 pictures on an olive
// background, which is their transparent colour (the bottom-left pixel).
#include "framework/stdctrls/BitBtn.h"

#include <memory>

namespace Tovix {

namespace {

using TArt = const char* const[16];

// Check mark (OK, Yes).
TArt kCheck = {
    "................", "................", "..............g.", ".............gG.", "............gGG.",
    "...........gGG..", "..g.......gGG...", "..Gg.....gGG....", "..GGg...gGG.....", "...GGg.gGG......",
    "....GGgGG.......", ".....GGG........", "......G.........", "................", "................",
    "................"};
// Cross (Cancel).
TArt kCross = {
    "................", "................", "...RR......RR...", "...RRR....RRR...", "....RRR..RRR....",
    ".....RRRRRR.....", "......RRRR......", "......RRRR......", ".....RRRRRR.....", "....RRR..RRR....",
    "...RRR....RRR...", "...RR......RR...", "................", "................", "................",
    "................"};
// Question mark (Help).
TArt kQuestion = {
    "................", ".....BBBBBB.....", "....BBB..BBB....", "....BB....BB....", "..........BB....",
    ".........BBB....", "........BBB.....", ".......BBB......", ".......BB.......", ".......BB.......",
    "................", ".......BB.......", ".......BB.......", "................", "................",
    "................"};
// A circle with a bar (No).
TArt kNo = {
    "................", ".....RRRRRR.....", "...RRR....RRR...", "..RR........RR..", "..RRR........R..",
    ".R.RRR.......RR.", ".R..RRR.......R.", ".R...RRR......R.", ".R....RRR.....R.", ".R.....RRR....R.",
    ".RR.....RRR.RR..", "..R......RRRR...", "..RR.......RR...", "...RRR....RRR...", ".....RRRRRR.....",
    "................"};
// An open door (Close).
TArt kDoor = {
    "................", "..KKKKKKKKKK....", "..K........K....", "..K.YYYY...K....", "..K.YYYYYY.K....",
    "..K.YYYYYYYK....", "..K.YYYYYYYK....", "..K.YYYYKYYK....", "..K.YYYYYYYK....", "..K.YYYYYYYK....",
    "..K.YYYYYYYK....", "..K.YYYYYYYK....", "..K..YYYYYYK....", "..K....YYYYK....", "..KKKKKKKKKK....",
    "................"};
// A stop sign (Abort).
TArt kStop = {
    "................", ".....RRRRRR.....", "....RRRRRRRR....", "...RRRRRRRRRR...", "..RRRRRRRRRRRR..",
    "..RRWWWWWWWWRR..", "..RRWWWWWWWWRR..", "..RRWWWWWWWWRR..", "..RRRRRRRRRRRR..", "..RRRRRRRRRRRR..",
    "...RRRRRRRRRR...", "....RRRRRRRR....", ".....RRRRRR.....", "................", "................",
    "................"};
// A turning arrow (Retry).
TArt kTurn = {
    "................", "......GGGG......", "....GGGGGGGG.G..", "...GG......GGG..", "..GG.......GGG..",
    "..GG......GGGG..", ".GG.............", ".GG.............", ".GG.............", "..GG........GG..",
    "..GG.......GG...", "...GG.....GG....", "....GGGGGGG.....", "......GGG.......", "................",
    "................"};
// An arrow past a bar (Ignore).
TArt kSkip = {
    "................", "................", ".......K........", ".......K........", ".......K..B.....",
    ".......K..BB....", ".BBBBBBBBBBBB...", ".BBBBBBBBBBBBB..", ".BBBBBBBBBBBB...", ".......K..BB....",
    ".......K..B.....", ".......K........", ".......K........", "................", "................",
    "................"};
// Two check marks (All).
TArt kChecks = {
    "................", "..............g.", ".............gG.", "............gGG.", "..g........gGG..",
    "..Gg......gGG...", "..GGg....gGG..g.", "...GGg..gGG..gG.", "....GGggGG..gGG.", ".....GGGG..gGG..",
    "......GG..gGG...", ".........gGG....", "....G...gGG.....", ".....G.gGG......", "......GGG.......",
    "................"};

TColor ColorOf(char c) {
  switch (c) {
    case 'G': return clGreen;
    case 'g': return clLime;
    case 'R': return clRed;
    case 'B': return clNavy;
    case 'K': return clBlack;
    case 'Y': return clYellow;
    case 'W': return clWhite;
    default: return clOlive;
  }
}

TBitmap* Draw(TArt art) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetSize(16, 16);
  TCanvas* canvas = glyph->GetCanvas();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) canvas->SetPixels(x, y, ColorOf(art[y][x]));
  return glyph.release();
}

}  // namespace

TBitmap* TBitBtn::CreateKindGlyph(TBitBtnKind kind) {
  switch (kind) {
    case bkOK: case bkYes: return Draw(kCheck);
    case bkCancel: return Draw(kCross);
    case bkHelp: return Draw(kQuestion);
    case bkNo: return Draw(kNo);
    case bkClose: return Draw(kDoor);
    case bkAbort: return Draw(kStop);
    case bkRetry: return Draw(kTurn);
    case bkIgnore: return Draw(kSkip);
    case bkAll: return Draw(kChecks);
    default: return nullptr;
  }
}

}  // namespace Tovix

// Fonts of the panels. The panels name faces of the system they were drawn on (Copperplate
// Gothic, MS Sans Serif, Small Fonts, Wingdings); where a face is missing, a near one that is
// present takes its place, so the captions keep about the width the labels were laid out for.
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "ui/forms.h"

namespace ui {
namespace {

struct Face {
  bool exists = false;
  bool bitmap = false;  // pixel sizes drawn for one DPI, not an outline that scales
};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  auto* face = reinterpret_cast<Face*>(found);
  face->exists = true;
  face->bitmap = (type & RASTER_FONTTYPE) != 0;
  return 0;  // one match is enough
}

Face FindFace(const std::wstring& name) {
  static std::mutex mutex;
  static std::map<std::wstring, Face> known;
  std::lock_guard lock(mutex);
  if (auto it = known.find(name); it != known.end()) return it->second;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  name.copy(query.lfFaceName, LF_FACESIZE - 1);
  Face found;
  EnumFontFamiliesExW(ScreenDc(GetDC(nullptr)).get(), &query, NoteFound,
                      reinterpret_cast<LPARAM>(&found), 0);
  known.emplace(name, found);
  return found;
}

bool FaceExists(const std::wstring& name) {
  return FindFace(name).exists;
}

struct Substitute {
  const wchar_t* face;
  double points;  // 0: the size asked for
};

// Near equivalents, best first. Copperplate Gothic is a wide face: a wide geometric sans (as the
// URW fonts of a Linux host that wine picks up) keeps its width best, Tahoma is always there.
// Small Fonts' 6 points take Tahoma a point larger: at 6 its bold letters run into each other.
const std::map<std::wstring, std::vector<Substitute>>& Substitutes() {
  static const std::map<std::wstring, std::vector<Substitute>> table = {
      {L"Copperplate Gothic Bold", {{L"URW Gothic", 0}, {L"Century Gothic", 0}, {L"Tahoma", 0}}},
      {L"Copperplate Gothic Light", {{L"URW Gothic", 0}, {L"Century Gothic", 0}, {L"Tahoma", 0}}},
      {L"MS Sans Serif", {{L"Tahoma", 0}}},
      {L"Small Fonts", {{L"Tahoma", 7}}},
      {L"Wingdings", {{L"Marlett", 0}}},
  };
  return table;
}

}  // namespace

// The face and size that a font description turns into on this system.
FontSpec ResolveFont(const FontSpec& wanted, int dpi) {
  FontSpec out = wanted;
  // A bitmap face ("Small Fonts", "MS Sans Serif") has its pixel sizes for 96 DPI only: at
  // another DPI its near outline face takes its place, so the text grows with the panel. Nor has
  // it a bold cut: asked bold, it is smeared a pixel wider, which closes its small letters ("y"
  // reads as "g"), so bold gives way to the outline face as well.
  const Face face = FindFace(wanted.face);
  if (face.exists && !(face.bitmap && (dpi != kBaseDpi || wanted.weight >= FW_BOLD))) return out;
  auto it = Substitutes().find(wanted.face);
  if (it == Substitutes().end()) return out;
  for (const Substitute& s : it->second) {
    if (!FaceExists(s.face)) continue;
    out.face = s.face;
    if (s.points > 0) out.points = s.points;
    if (std::wstring_view(wanted.face) == L"Wingdings") out.charset = SYMBOL_CHARSET;
    return out;
  }
  return out;
}

GdiFont MakeFont(const FontSpec& wanted, int dpi) {
  const FontSpec use = ResolveFont(wanted, dpi);
  LOGFONTW lf{};
  // Points to pixels at the panel's DPI: 8.25 pt is 11 pixels at 96 dots per inch.
  lf.lfHeight = -MulDiv(static_cast<int>(use.points * 100 + 0.5), dpi, 7200);
  lf.lfWeight = use.weight;
  lf.lfCharSet = use.charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::wstring_view(use.face).copy(lf.lfFaceName, LF_FACESIZE - 1);
  return GdiFont(CreateFontIndirectW(&lf));
}

}  // namespace ui

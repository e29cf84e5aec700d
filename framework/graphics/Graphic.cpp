#include "framework/graphics/Graphic.h"

#include "framework/classes/Filer.h"
#include "framework/classes/TypInfoBuilder.h"

namespace Tovix {

TOVIX_IMPLEMENT_CLASS(TGraphic, TPersistent) {}

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed();
}

void TGraphic::SetModified(bool modified) {
  if (modified) Changed();
  else modified_ = false;
}

void TGraphic::Changed() {
  modified_ = true;
  onChange_(this);
}

void TGraphic::LoadFromFile(const String& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const String& fileName) {
  TMemoryStream stream;
  SaveToStream(stream);
  stream.SaveToFile(fileName);
}

void TGraphic::ReadData(TStream& stream) { LoadFromStream(stream); }

void TGraphic::WriteData(TStream& stream) { SaveToStream(stream); }

void TGraphic::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data",
      [this](const TBytes& bytes) {
        TMemoryStream stream;
        if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
        stream.SetPosition(0);
        ReadData(stream);
      },
      [this] {
        TMemoryStream stream;
        WriteData(stream);
        const auto* data = static_cast<const uint8_t*>(stream.GetMemory());
        return TBytes(data, data + stream.GetSize());
      },
      !Empty());
}

}  // namespace Tovix

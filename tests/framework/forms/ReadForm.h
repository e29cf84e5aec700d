// A form read from form-file text, for the form tests.
#pragma once

#include <memory>

#include "framework/Classes.h"
#include "framework/Forms.h"

namespace Tovix::Testing {

inline std::unique_ptr<TForm> ReadForm(const String& text) {
  auto form = std::make_unique<TForm>(nullptr);
  ReadComponentFromText(text, form.get());
  return form;
}

}  // namespace Tovix::Testing

// Screenshots: what a form looks like with its children, as pixels, as a bitmap and as a PNG file.
#include <gtest/gtest.h>

#include <wincodec.h>

#include "framework/ComObj.h"
#include "screenshots/Screenshots.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WindowsSupport.h"

using namespace Tovix;
using namespace Tovix::Testing;

namespace {

// A form with overlapping, nested, hidden and clipped children:
//   Back (navy) with a red graphic Dot and a fuchsia Inner box that reaches past Back's right edge;
//   Front (lime) over Back's lower right corner; Hidden (yellow) not visible; Edge (aqua) reaching
//   past the form's client area; Edit, a system edit (white).
class ScreenshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(30, 40, 300, 200);
    form->HandleNeeded();  // the client size differs from the bounds once there is a frame
    form->SetClientWidth(200);
    form->SetClientHeight(150);
    back = Box(form, clNavy, 10, 10, 80, 60);
    dot = new TColorShape(form);
    dot->SetColor(clRed);
    dot->SetBounds(5, 5, 20, 20);
    dot->SetParent(back);
    inner = Box(back, clFuchsia, 50, 5, 60, 20);
    front = Box(form, clLime, 70, 50, 80, 60);
    hidden = Box(form, clYellow, 150, 10, 30, 30);
    hidden->SetVisible(false);
    edge = Box(form, clAqua, 170, 100, 60, 60);
    edit = new TEditBox(form);
    edit->SetBounds(10, 110, 60, 21);
    edit->SetColor(clWindow);
    edit->SetText("MMM");
    edit->SetParent(form);
  }
  void TearDown() override {
    form->Free();
    Application->ProcessMessages();
  }

  TColorBox* Box(TWinControl* parent, TColor color, int left, int top, int width, int height) {
    auto* box = new TColorBox(form);
    box->SetColor(color);
    box->SetBounds(left, top, width, height);
    box->SetParent(parent);
    return box;
  }

  // Where the form's client area begins in its picture.
  POINT ClientOffset() {
    RECT frame;
    GetWindowRect(form->GetHandle(), &frame);
    POINT origin{0, 0};
    ClientToScreen(form->GetHandle(), &origin);
    return POINT{origin.x - frame.left, origin.y - frame.top};
  }
  // The colour at a point of the form's client area.
  TColor At(const TScreenshot& shot, int x, int y) {
    POINT offset = ClientOffset();
    return shot.GetPixel(offset.x + x, offset.y + y);
  }

  TForm* form;
  TColorBox* back;
  TColorShape* dot;
  TColorBox* inner;
  TColorBox* front;
  TColorBox* hidden;
  TColorBox* edge;
  TEditBox* edit;
};

// The pixels of a PNG file, decoded by WIC into 32bppBGR.
std::vector<uint32_t> ReadPng(const String& fileName, UINT& width, UINT& height) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  std::wstring wide(fileName.begin(), fileName.end());
  std::vector<uint32_t> pixels;
  width = height = 0;
  GUID container{};
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder)) &&
      SUCCEEDED(decoder->GetContainerFormat(&container)) && IsEqualGUID(container, GUID_ContainerFormatPng) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                      WICBitmapPaletteTypeCustom)) &&
      SUCCEEDED(converter->GetSize(&width, &height))) {
    pixels.resize(static_cast<size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(pixels.data()))))
      pixels.clear();
  }
  if (converter) converter->Release();
  if (frame) frame->Release();
  if (decoder) decoder->Release();
  if (factory) factory->Release();
  CoUninitialize();
  // The unused byte of 32bppBGR is not kept by the file: compare colours only.
  for (uint32_t& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

}  // namespace

TEST_F(ScreenshotTest, ComposesEveryWindowAtItsPlaceBottomToTopClippedToItsParent) {
  TScreenshot shot = TakeScreenshot(form);
  RECT frame;
  GetWindowRect(form->GetHandle(), &frame);
  EXPECT_EQ(frame.right - frame.left, shot.GetWidth()) << "the whole window, frame included";
  EXPECT_EQ(frame.bottom - frame.top, shot.GetHeight());

  TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
  EXPECT_EQ(face, At(shot, 2, 2)) << "the form's background";
  EXPECT_EQ(clNavy, At(shot, 12, 40)) << "a child";
  EXPECT_EQ(clRed, At(shot, 10 + 5 + 1, 10 + 5 + 1)) << "a graphic control on a child";
  EXPECT_EQ(clRed, At(shot, 10 + 5 + 19, 10 + 5 + 19));
  EXPECT_EQ(clNavy, At(shot, 10 + 5 + 20, 10 + 5 + 20)) << "just past the graphic control";
  EXPECT_EQ(clFuchsia, At(shot, 10 + 50, 10 + 5)) << "a grandchild at its parent's offset";
  EXPECT_EQ(clFuchsia, At(shot, 89, 34));
  EXPECT_EQ(clLime, At(shot, 75, 55)) << "the later sibling lies on top of the earlier one";
  EXPECT_EQ(face, At(shot, 90, 20)) << "the grandchild is cut at its parent's edge";
  EXPECT_EQ(face, At(shot, 160, 20)) << "a hidden child is not drawn";
  EXPECT_EQ(clAqua, At(shot, 199, 149)) << "a child reaching past the client area";
  // A system edit draws its background and its text.
  TColor white = static_cast<TColor>(ColorToRGB(clWindow));
  EXPECT_EQ(white, At(shot, 65, 112)) << "the edit's background";
  bool textDrawn = false;
  for (int x = 10; x < 40; ++x)
    for (int y = 110; y < 131; ++y) textDrawn = textDrawn || At(shot, x, y) != white;
  EXPECT_TRUE(textDrawn) << "the edit's text";
  POINT offset = ClientOffset();
  if (offset.x + 200 < shot.GetWidth()) {
    EXPECT_NE(clAqua, shot.GetPixel(offset.x + 200, offset.y + 120)) << "nothing of a child outside the client area";
  }
  EXPECT_THROW(shot.GetPixel(shot.GetWidth(), 0), EInvalidOperation);
}

TEST_F(ScreenshotTest, FollowsTheControlsZOrderWhenItChanges) {
  back->BringToFront();
  TScreenshot shot = TakeScreenshot(form);
  EXPECT_EQ(clNavy, At(shot, 75, 55)) << "brought to the front";
}

TEST_F(ScreenshotTest, PicturesOfOneControlAndOfAGraphicControl) {
  TScreenshot boxShot = TakeScreenshot(back);
  ASSERT_EQ(80, boxShot.GetWidth());
  ASSERT_EQ(60, boxShot.GetHeight());
  EXPECT_EQ(clNavy, boxShot.GetPixel(1, 58));
  EXPECT_EQ(clRed, boxShot.GetPixel(10, 10));
  EXPECT_EQ(clFuchsia, boxShot.GetPixel(79, 24));
  EXPECT_EQ(clNavy, boxShot.GetPixel(79, 25));

  TScreenshot dotShot = TakeScreenshot(dot);
  ASSERT_EQ(20, dotShot.GetWidth());
  ASSERT_EQ(20, dotShot.GetHeight());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(clRed, dotShot.GetPixel(x, y)) << "all red";

  auto* orphan = new TColorShape(form);
  orphan->SetBounds(0, 0, 5, 5);
  EXPECT_THROW(TakeScreenshot(orphan), EInvalidOperation);
}

TEST_F(ScreenshotTest, CopiesIntoABitmap) {
  TScreenshot shot = TakeScreenshot(back);
  TBitmap bitmap;
  shot.CopyToBitmap(bitmap);
  ASSERT_EQ(80, bitmap.GetWidth());
  ASSERT_EQ(60, bitmap.GetHeight());
  EXPECT_EQ(clRed, bitmap.GetCanvas()->GetPixels(10, 10));
  EXPECT_EQ(clNavy, bitmap.GetCanvas()->GetPixels(1, 58));
  EXPECT_EQ(clFuchsia, bitmap.GetCanvas()->GetPixels(79, 24));
}

TEST_F(ScreenshotTest, SavesAPngFileThatDecodesToThePicture) {
  ScratchFolder folder;
  String file = folder.File("form.png");
  folder.WriteFile("form.png", "an older file");
  SaveScreenshot(form, file);
  TScreenshot shot = TakeScreenshot(form);
  UINT width = 0, height = 0;
  std::vector<uint32_t> decoded = ReadPng(file, width, height);
  ASSERT_EQ(static_cast<UINT>(shot.GetWidth()), width);
  ASSERT_EQ(static_cast<UINT>(shot.GetHeight()), height);
  std::vector<uint32_t> expected = shot.GetPixels();
  for (uint32_t& p : expected) p &= 0x00FFFFFF;
  EXPECT_TRUE(expected == decoded) << "the file holds exactly the picture";
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((file + ".tmp").c_str())) << "no temporary file is left";
}

TEST_F(ScreenshotTest, AFailedSaveRaisesAndLeavesNothingBehind) {
  ScratchFolder folder;
  String file = folder.File("missing\\form.png");
  EXPECT_THROW(SaveScreenshot(form, file), Exception);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
  EXPECT_THROW(TScreenshot().SaveToFile(folder.File("empty.png")), EInvalidOperation);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.File("empty.png").c_str()));
}

// Orvutils: string, path and small helper routines used throughout the library.
//
// Positions are 1-based and 0 means "not found". Substrings follow one clamped rule: the part of
// a text from position p with count n is empty for an empty text or p past the end, a p below 1
// counts as 1 (without shortening n), a negative n counts as 0, and n is cut at the end of the
// text. "Ignoring case" folds the ASCII letters only.
#pragma once

#include "framework/Classes.h"
#include "framework/Types.h"
#include "framework/WinApi.h"

namespace Tovix {

class TCustomForm;
class TWinControl;

// Conditional values and numbers
int Min(int a, int b);
int Max(int a, int b);
int IntIf(bool condition, int whenTrue, int whenFalse);
String StrIf(bool condition, const String& whenTrue, const String& whenFalse);
// Inclusive extents: a rectangle from 10 to 10 is 1 wide.
int RectWidth(const TRect& rect);
int RectHeight(const TRect& rect);

// Substrings
String StrLeft(const String& text, int count);
String StrRight(const String& text, int count);
String StrRightFrom(const String& text, int position);
String StrRightAfter(const String& text, int position);
String StrLeftOfChar(const String& text, char c);
String StrRemoveChar(const String& text, int position);
String StrRemoveCharRight(const String& text, int count);

// Searching
int StrFindChar(const String& text, char c);
int StrFindCharRight(const String& text, char c);
bool StrContains(const String& text, const String& part);
int StrCountVowels(const String& text);
int StrSumAllChars(const String& text);

// Building and replacing. An empty find string leaves the text unchanged.
String StrRepeat(const String& text, int count);
String StrRemove(const String& text, const String& part);
String StrRemoveAllChar(const String& text, char c);
String StrReplaceAll(const String& text, const String& find, const String& replacement);
String StrReplaceAllNoCase(const String& text, const String& find, const String& replacement);

// Splitting. StrParse fills list with the pieces of text between delimiters (a trailing delimiter
// adds no empty last piece) and returns the count; a null list raises EStringListError.
int StrParse(const String& text, const String& delimiter, TStrings* list);
int StrParseCount(const String& text, const String& delimiter);
String StrParseForStringEnding(const String& text, const String& delimiter, const String& ending);

// Paths and files
String StrParentDir(const String& path);
String RemoveTrailingBackslash(const String& path);
bool IsFilePath(const String& text);
// True when name (no directory, no extension) can name a file: none of " * . / : < > ? \ |
// occurs, and a file name.txt can be made in the current directory. The probe never touches an
// existing file of that name and leaves nothing behind.
bool IsFileSyntaxValid(const String& name);

// Controls, forms and the shell. Called from the user-interface thread.

// Width in pixels of text measured on a new canvas on the control's window (made first when it
// does not exist yet) with the canvas's own default font, not the control's. The device context
// goes back to the window and the canvas is freed on every path. A null control raises
// EInvalidGraphicOperation.
int StrCtrlTextWidth(TWinControl* control, const String& text);
// text, or its end behind a leading "...", such that it measures (as StrCtrlTextWidth does) at
// most maxWidth. A text that fits, or a maxWidth below the width of "...1234567890", gives the
// text unchanged, however wide it is.
String StrContinuedText(const String& text, TWinControl* control, int maxWidth);
// The component's immediate owner when that is a form, else null (also for a null component).
TCustomForm* GetComponentForm(TComponent* component);
// The window of GetComponentForm's form, made first when it does not exist yet; null when the
// owner is not a form.
HWND GetComponentFormHandle(TComponent* component);
// Starts playing the WAVE resource of that name from the module this code is linked into and
// returns at once. Reports nothing: a missing resource plays nothing and makes no default beep.
void PlayWaveRes(const String& resourceName);
// Hands the address (a web or mail address, a document) to the shell's "open" action. Reports
// nothing; an address the shell cannot open does nothing.
void OpenUrl(const String& address);

}  // namespace Tovix

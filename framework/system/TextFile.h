// Text files read and written line by line, as Pascal programs do with Reset, Rewrite, Append,
// ReadLn and WriteLn.
#pragma once

#include <vector>

#include "framework/system/SysUtils.h"
#include "framework/system/WinApi.h"

namespace Tovix {

// One open text file of 8-bit characters. Reading accepts CR LF, LF and CR as line ends, and a
// last line without a line end is a line too; the bytes of a line come back unchanged. WriteLn
// ends every line with CR LF. Output is buffered and written at the latest by Close.
// Every failure raises EInOutError with the system's error number. The destructor closes a file
// still open without raising, so an error path never leaves a handle behind.
class TTextFile {
 public:
  TTextFile() = default;
  ~TTextFile();
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  // Opens an existing file for reading; others may read it meanwhile.
  void Reset(const String& fileName);
  // Creates the file, or empties an existing one, for writing.
  void Rewrite(const String& fileName);
  // Opens an existing file for writing at its end.
  void Append(const String& fileName);

  // Reads the next line into line without its line end; false (line emptied) at the end of the file.
  bool ReadLn(String& line);
  void Write(const String& text);
  void WriteLn(const String& line);
  // After Append: whether the file's last line has no line end, so that what is written next
  // would continue that line.
  bool EndsInsideLine() const { return endsInsideLine_; }

  // Writes what is buffered and closes the file; raises when that fails (the file is closed anyway).
  void Close();
  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

 private:
  void Open(const String& fileName, DWORD access, DWORD share, DWORD disposition);
  // Fills the read buffer; false at the end of the file.
  bool Fill();
  void Flush();

  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::vector<char> buffer_;
  size_t position_ = 0;  // reading: next byte of buffer_
  size_t length_ = 0;    // reading: bytes in buffer_; writing: bytes waiting
  bool writing_ = false;
  bool endsInsideLine_ = false;
};

}  // namespace Tovix

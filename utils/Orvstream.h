// Orvstream: a file stream with typed reads and writes, for simple record files of an application.
//
// A file is the sequence of values in the order they were written, with no header and no type
// tags; it must be read back in the same order and with the same types:
//   string     its bytes followed by one zero byte
//   integer    4 bytes, signed, little-endian
//   boolean    1 byte: 1 for true, 0 for false (any non-zero byte reads as true)
//   date-time  8 bytes, the IEEE 754 double of the TDateTime
// Writing 'ab', 1 and true gives 61 62 00 01 00 00 00 01.
//
// TOrvFileStream keeps the file stream's promises: every typed value is read or written by the
// stream's own (virtual) Read and Write at the current position, so a derived stream that counts,
// checksums or encrypts sees every value; other handles on the file see a value as soon as its
// write returns; and a write the system refuses raises at once. For many small values in a row
// TOrvBufferedFileStream (OrvstreamBuffered.h) trades those promises for speed.
#pragma once

#include "framework/Classes.h"

namespace Tovix {

class TOrvFileStream : public TFileStream {
 public:
  TOrvFileStream(const String& fileName, TFileMode mode) : TFileStream(fileName, mode) {}

  // True when the position is at or past the end of the stream.
  bool IsEOF();
  // Reads bytes up to and including the next zero byte and returns those before it. Raises
  // EStreamError "Unable to read string from stream" when the stream ends first; nothing past
  // the end is read.
  String ReadStr();
  // These raise EReadError "Stream read error" (an EStreamError) when the stream ends before the
  // whole value.
  int ReadInt();
  bool ReadBool();
  TDateTime ReadDateTime();
  // Each is one Write of the whole value (a string with its zero byte); a refused or short write
  // raises EWriteError.
  void WriteStr(const String& text);
  void WriteInt(int value);
  void WriteBool(bool flag);
  void WriteDateTime(TDateTime value);

 protected:
  // Reads or writes exactly size bytes through ReadBuffer / WriteBuffer, in pieces an int can count.
  void ReadValue(void* value, size_t size);
  void WriteValue(const void* value, size_t size);
};

}  // namespace Tovix

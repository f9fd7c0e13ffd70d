// The failure kinds of the ZIP and encoding layer, named and related as in .NET so that callers can
// catch the special kind before the general one it belongs to.
//
// Which condition raises which kind:
//   ArgumentNullException        a path or encoding argument is a null pointer.
//   ArgumentException            a path is empty, only blanks, or holds " < > | ? * or a control
//                                character; an encoding name is unknown; an entry name holds one of
//                                those characters (extraction).
//   PathTooLongException         a path (argument or argument joined with an entry name) is too long
//                                for the system: 260 characters or more on Windows, ENAMETOOLONG
//                                elsewhere.
//   DirectoryNotFoundException   the folder to archive does not exist; a folder on the way to a file
//                                to open or create does not exist.
//   UnauthorizedAccessException  the system denies access to a file or folder.
//   NotSupportedException        a path, or an entry name, holds ':' anywhere but after a leading
//                                drive letter, or names a reserved device (CON, NUL, COM1, ...).
//   FileNotFoundException        the archive to read does not exist.
//   InvalidDataException         the archive is not a ZIP archive or is damaged: no end record,
//                                headers out of bounds or inconsistent, overlapping entries, an
//                                unsupported method, an encrypted entry, a CRC-32 or size that does
//                                not match, truncated or undecodable data.
//   IOException                  anything else on the file system, above all a target that already
//                                exists (archive to create, file to extract); an entry that would
//                                land outside the destination folder; a folder entry with data.
#pragma once

#include <stdexcept>
#include <string>

namespace System {

// Base of every kind; the message is UTF-8 text meant for logs, never shown to users.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

class ArgumentException : public Exception {
public:
    using Exception::Exception;
};

class ArgumentNullException : public ArgumentException {
public:
    using ArgumentException::ArgumentException;
};

class UnauthorizedAccessException : public Exception {
public:
    using Exception::Exception;
};

class NotSupportedException : public Exception {
public:
    using Exception::Exception;
};

namespace IO {

class IOException : public Exception {
public:
    using Exception::Exception;
};

class PathTooLongException : public IOException {
public:
    using IOException::IOException;
};

class DirectoryNotFoundException : public IOException {
public:
    using IOException::IOException;
};

class FileNotFoundException : public IOException {
public:
    using IOException::IOException;
};

class InvalidDataException : public Exception {
public:
    using Exception::Exception;
};

} // namespace IO
} // namespace System

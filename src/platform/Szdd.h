// SPDX-License-Identifier: MIT
// Decoder of SZDD-compressed files (the format of the classic "compress"/"expand" tools):
// a 14-byte header and an LZSS stream with a 4096-byte window.
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace jxt::platform {

/// Negative results of the LZ copy functions, with their Windows values.
enum : int {
    kLzErrorBadInHandle = -1,  ///< the source cannot be opened or read from the start
    kLzErrorBadOutHandle = -2, ///< the destination cannot be created
    kLzErrorRead = -3,         ///< the compressed data is truncated or a read failed
    kLzErrorWrite = -4,        ///< a write failed, or the output would exceed the given limit
    kLzErrorBadValue = -7,     ///< the header is damaged
    kLzErrorUnknownAlg = -8,   ///< SZDD header with a compression mode other than 'A'
};

/// The 14-byte SZDD header.
struct TSzddHeader
{
    char Mode = 0;        ///< 'A' for the LZSS variant this decoder reads
    char MissingChar = 0; ///< last character of the uncompressed file's extension, or 0
    quint32 Length = 0;   ///< length of the decoded data
};

/// Size of the SZDD header in bytes.
constexpr int kSzddHeaderSize = 14;

/// True if `data` starts with the SZDD magic "SZDD\x88\xF0\x27\x33".
bool IsSzdd(const QByteArray &data);

/// Reads the header from the start of `data`; false when it is not a complete SZDD header.
bool ReadSzddHeader(const QByteArray &data, TSzddHeader &header);

/// Decodes from `in` (positioned at the start of the file) to `out`, streaming: memory use is
/// fixed whatever length the header declares. Data that is not SZDD-compressed is copied
/// unchanged. Decoding stops at the declared length (trailing bytes are ignored); compressed
/// data that ends before the declared length is an error (kLzErrorRead), as is output beyond
/// `maxOutput` bytes (kLzErrorWrite; a negative limit means none). Returns the number of bytes
/// written, or a negative kLzError* code; on error the output written so far stays in `out`.
qint64 LZCopy(QIODevice &in, QIODevice &out, qint64 maxOutput = -1);

/// Decodes a whole buffer; see the device form. `output` receives the decoded bytes.
qint64 LZDecode(const QByteArray &input, QByteArray &output, qint64 maxOutput = -1);

/// Decodes the file `source` into `dest` (Windows or host paths). Returns the bytes written,
/// kLzErrorBadInHandle when the source cannot be opened or is not a regular file (a FIFO,
/// socket or device is never opened), kLzErrorBadOutHandle when the destination cannot be
/// created (or is the source itself, a directory or read-only), or another kLzError* code
/// when decoding or writing fails. The output is written to a temporary file that replaces
/// the destination only after a complete decode (see platform/Transfer.h): a failure leaves
/// an existing destination exactly as it was, and no partial file. Output beyond `maxOutput`
/// bytes (negative: no limit) is kLzErrorWrite; where the header's declared length or the
/// size of an uncompressed source already exceeds it, nothing is written at all.
qint64 LZCopyFile(const QString &source, const QString &dest, qint64 maxOutput = -1);

/// The name of an SZDD file's uncompressed file, completed from the header's missing character:
/// "readme.tx_" with 't' gives "readme.txt". A name that does not end in '_', a file that is
/// not SZDD or a header without the character gives `fileName` unchanged.
QString GetExpandedName(const QString &fileName);

} // namespace jxt::platform

// SPDX-License-Identifier: MIT
// Icons read from files: icon files (.ico, every image depth and PNG-compressed images),
// 32- and 64-bit Windows programs and libraries (the icon groups of their resources) and
// 16-bit icon libraries (.icl, .dll, .exe of the NE format).
//
// Every reader works on bytes already in memory, checks each offset and size against them,
// and refuses images larger than 256 x 256 pixels; bad input gives an empty result, never a
// crash or an unbounded allocation.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace jxt::platform {

/// Decodes one icon image: a device-independent bitmap of double height (colour rows, then
/// the one-bit transparency mask) with 1, 4, 8, 16, 24 or 32 bits per pixel, or a PNG image.
/// The result is ARGB32 (transparent where the mask or the alpha channel says so); a null
/// image when the data is not a valid icon image.
QImage DecodeIconImage(const char *data, qint64 size);

/// The images of an icon file's directory, in directory order; empty when the bytes are
/// not an icon file. Images that cannot be decoded are left out. An image the directory
/// points at more than once is decoded once.
std::vector<QImage> ReadIcoImages(const QByteArray &data);

/// The kind of container a file's bytes are.
enum class TIconContainer { None, Ico, Pe, Ne };
TIconContainer IconContainerOf(const QByteArray &data);

/// Number of icon groups in the resources of a PE (32- or 64-bit) or NE file; 0 when it has
/// none, -1 when the bytes are not such a file.
int ExeIconGroupCount(const QByteArray &data);

/// The images of icon group `index` (0-based, in resource directory order) of a PE or NE
/// file; empty when there is no such group or it cannot be read.
std::vector<QImage> ExeIconGroupImages(const QByteArray &data, int index);

/// The bytes of the version resource of a PE (32- or 64-bit) program or library: its first
/// version resource in its first language. Empty when the bytes are not such a file or it
/// has none.
QByteArray ExeVersionResource(const QByteArray &data);

/// The image of images best shown at size x size pixels: the one nearest that size (larger
/// preferred over smaller at equal distance), the deepest colour among equals; scaled to
/// exactly size x size when its size differs. Null when images is empty.
QImage PickIconImage(const std::vector<QImage> &images, int size);

/// Reads a file for the icon readers: regular files only (no FIFOs, sockets or devices),
/// at most maxBytes. False when the file cannot be read that way.
bool ReadIconSourceFile(const QString &fileName, QByteArray &data,
                        qint64 maxBytes = 256 * 1024 * 1024);

/// The number of icons a file offers, as the shell counts them: 1 for an icon file whose
/// directory points at an image with a valid header, the number of icon groups of a program
/// or library, 0 for any other file or a missing one. Read from the directories and the
/// images' headers: no image is decoded.
int FileIconCount(const QString &fileName);

/// Icon `index` of a file (an icon file has only index 0) as all its images; empty when the
/// file has no such icon.
std::vector<QImage> FileIconImages(const QString &fileName, int index);

/// Icon `index` of a file at size x size pixels, chosen as PickIconImage chooses by the sizes
/// the images' headers give: only the chosen image is decoded. Null when there is none.
QImage FileIcon(const QString &fileName, int index, int size = 32);

/// The bytes of an icon file holding images (each at most 256 x 256) as 32-bit entries with
/// their transparency mask; empty when there is no image or one is too large.
QByteArray EncodeIcoFile(const std::vector<QImage> &images);

/// Whether a file is of a kind that can hold icons (an icon file, a PE or NE program or
/// library), whatever its name.
bool IsIconContainerFile(const QString &fileName);

} // namespace jxt::platform

#pragma once

#include <QtGlobal>

// Pictures come from files the user picks and from the desktop folder; a
// damaged or hostile header must not make us allocate gigabytes. Every
// decoder checks the claimed size here before it allocates pixels.
namespace ImageLimits {

constexpr qint64 maxSide = 16384;
constexpr qint64 maxDecodedBytes = qint64(256) * 1024 * 1024;
// A picture file is never larger than its decoded pixels plus headers.
constexpr qint64 maxFileBytes = maxDecodedBytes + qint64(1024) * 1024;

// Throws ImagingError when a width × height picture of 32-bit pixels is not
// allowed (non-positive sides are refused too).
void check(qint64 width, qint64 height);

} // namespace ImageLimits

#pragma once

#include <QString>

#include <stdexcept>

// A picture that cannot be read, decoded, encoded or written. The message is
// fit for the user: a short Chinese reason ("图片数据不完整", "不是JPEG图片"),
// and once the file is known, its path. A codec's own words never reach it:
// each decoder maps them to one of its reasons.
class ImagingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit ImagingError(const QString &message);

    // The same failure, naming the file it came from: "reason（path）".
    ImagingError inFile(const QString &path) const;
};

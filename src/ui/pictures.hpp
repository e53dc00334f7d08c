#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <thread>

namespace kavrel {

// One of the program's own pictures (format "png" or "ppm"), read by Qt's built-in reader
// without asking the image-format plugins first (which would load every one of them).
QImage readPicture(const QString& file, const char* format = "png");

// A PNG picture scaled, smoothly and without keeping its aspect ratio, to a size in device
// pixels. When `prescaledFile`, a PPM made at build time, already holds it at that size, it
// is read from there; otherwise the PNG is decoded and scaled on a thread of its own, so that
// the work overlaps with whatever the caller does meanwhile. Only the scaled picture is kept.
class ScaledPictureLoad {
  public:
    ScaledPictureLoad(const QString& file, const QString& prescaledFile, QSize size);
    ScaledPictureLoad(const ScaledPictureLoad&) = delete;
    ScaledPictureLoad& operator=(const ScaledPictureLoad&) = delete;
    ~ScaledPictureLoad();

    // Waits for the thread, if any, and hands over the scaled picture.
    QImage take();

  private:
    QImage scaled_;
    std::thread thread_;
};

} // namespace kavrel

#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <thread>

namespace kavrel {

// One of the program's own PNG pictures, decoded by Qt's built-in PNG reader without asking
// the image-format plugins first (which would load every one of them).
QImage readPicture(const QString& file);

// Decodes a picture and scales it, smoothly and without keeping its aspect ratio, to a size
// in device pixels, on a thread of its own: the decoding overlaps with whatever the caller
// does meanwhile. The full-size image lives only on that thread.
class ScaledPictureLoad {
  public:
    ScaledPictureLoad(QString file, QSize size);
    ScaledPictureLoad(const ScaledPictureLoad&) = delete;
    ScaledPictureLoad& operator=(const ScaledPictureLoad&) = delete;
    ~ScaledPictureLoad();

    // Waits for the thread and hands over the scaled picture.
    QImage take();

  private:
    QImage scaled_;
    std::thread thread_;
};

} // namespace kavrel

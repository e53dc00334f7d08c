#include "ui/pictures.hpp"

#include <QImageReader>

namespace kavrel {

QImage readPicture(const QString& file) {
    QImageReader reader(file, "png");
    // With detection on, the reader lets every plugin claim the format before its own.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

ScaledPictureLoad::ScaledPictureLoad(QString file, QSize size)
    : thread_([this, file = std::move(file), size] {
          // What a QLabel with scaled contents does with its picture when it paints.
          scaled_ = readPicture(file).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      }) {}

ScaledPictureLoad::~ScaledPictureLoad() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

QImage ScaledPictureLoad::take() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return std::move(scaled_);
}

} // namespace kavrel

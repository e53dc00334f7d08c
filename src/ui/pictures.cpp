#include "ui/pictures.hpp"

#include <QImageReader>

namespace kavrel {
namespace {

QImage read(QImageReader& reader) {
    // With detection on, the reader lets every plugin claim the format before its own.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

QImage readPicture(const QString& file, const char* format) {
    QImageReader reader(file, format);
    return read(reader);
}

ScaledPictureLoad::ScaledPictureLoad(const QString& file, const QString& prescaledFile,
                                     QSize size) {
    QImageReader prescaled(prescaledFile, "ppm");
    prescaled.setAutoDetectImageFormat(false);
    if (prescaled.size() == size) {
        scaled_ = read(prescaled);
        return;
    }
    thread_ = std::thread([this, file, size] {
        // What a QLabel with scaled contents does with its picture when it paints.
        scaled_ = readPicture(file).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
}

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

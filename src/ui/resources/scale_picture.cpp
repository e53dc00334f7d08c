// Build step: scales a picture as a QLabel with scaled contents draws it (smoothly, aspect
// ratio not kept) and writes the result as a binary PPM, which the program reads at start-up
// with next to no decoding. Usage: kavrel_scale_picture INPUT OUTPUT WIDTH HEIGHT
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: kavrel_scale_picture INPUT OUTPUT WIDTH HEIGHT\n", stderr);
        return 2;
    }
    const QImage source(QString::fromLocal8Bit(argv[1]));
    const QSize size(std::atoi(argv[3]), std::atoi(argv[4]));
    if (source.isNull() || size.isEmpty()) {
        std::fprintf(stderr, "kavrel_scale_picture: cannot read %s or bad size\n", argv[1]);
        return 1;
    }
    const QImage scaled = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled.save(QString::fromLocal8Bit(argv[2]), "PPM") ? 0 : 1;
}

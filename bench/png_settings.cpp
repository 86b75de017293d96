// Size and processor time of Qt's PNG writer on spectrum pictures, for each setting Qt
// offers (QImageWriter::setCompression and setQuality), and of this program's own
// (write_grey_picture). Usage: png_settings PICTURE...
// Prints one line a setting: the total bytes and the best of three processor times over all
// pictures.
#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>

#include "picture_output.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double thread_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Bytes written and the best processor time of three writes of every picture.
using writing = std::function<bool(QIODevice&, const QImage&)>;

std::pair<qint64, double> measured(const std::vector<QImage>& pictures, const writing& write)
{
    qint64 bytes = 0;
    double best = 1e300;
    for (int repetition = 0; repetition < 3; ++repetition) {
        bytes = 0;
        const double start = thread_seconds();
        for (const QImage& picture : pictures) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            if (!write(buffer, picture)) {
                std::fprintf(stderr, "png_settings: a picture was not written\n");
            }
            bytes += buffer.size();
        }
        best = std::min(best, thread_seconds() - start);
    }
    return {bytes, best};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    std::vector<QImage> pictures;
    qint64 raw = 0;
    for (int k = 1; k < argc; ++k) {
        pictures.push_back(
            QImage(QString::fromLocal8Bit(argv[k])).convertToFormat(QImage::Format_Grayscale8));
        raw += pictures.back().sizeInBytes();
    }
    std::printf("%zu pictures, %lld bytes of pixels\n", pictures.size(),
                static_cast<long long>(raw));
    std::printf("| setting | bytes | of the pixels | processor s |\n|---|---|---|---|\n");
    const auto row = [&](const QByteArray& name, const writing& write) {
        const auto [bytes, seconds] = measured(pictures, write);
        std::printf("| %s | %lld | %.3f | %.3f |\n", name.constData(),
                    static_cast<long long>(bytes),
                    static_cast<double>(bytes) / static_cast<double>(raw), seconds);
        std::fflush(stdout);
    };
    const auto qt_writer = [](const std::function<void(QImageWriter&)>& set) {
        return [=](QIODevice& device, const QImage& picture) {
            QImageWriter writer(&device, "png");
            set(writer);
            return writer.write(picture);
        };
    };
    row("Qt, default", qt_writer([](QImageWriter&) {}));
    for (const int compression : {0, 9, 10, 20, 50, 80, 90, 100}) {
        row("Qt, setCompression " + QByteArray::number(compression),
            qt_writer([=](QImageWriter& w) { w.setCompression(compression); }));
    }
    for (const int quality : {0, 10, 50, 80, 90, 100}) {
        row("Qt, setQuality " + QByteArray::number(quality),
            qt_writer([=](QImageWriter& w) { w.setQuality(quality); }));
    }
    row("write_grey_picture", [](QIODevice& device, const QImage& picture) {
        return write_grey_picture(device, picture, picture_format::png);
    });
    return 0;
}

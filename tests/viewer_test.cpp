#include "TOpenDialog.h"
#include "Unit1.h"
#include "busy_work.h"
#include "picture_output.h"
#include "picture_view.h"
#include "picture_viewer.h"
#include "spectrum_viewer.h"

#include "bmp_writer.h"
#include "message_recorder.h"

#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A photograph-like picture of uneven sides, so that the padding shows, saved as PNG:
// a format only the argument and a drop bring into the window.
QString png_picture(const std::string& name, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int level = (x * x / 7 + 3 * y + (x ^ y)) % 256;
            picture.setPixel(x, y, qRgb(level, 255 - level, (x * y) % 256));
        }
    }
    const QString path = QString::fromStdString(temp_path(name));
    EXPECT_TRUE(picture.save(path, "PNG"));
    return path;
}

QByteArray file_bytes(const QString& name)
{
    QFile file(name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// widmo-cli's output for the arguments, read back.
QByteArray cli_output(const QStringList& arguments, const QString& output)
{
    QFile::remove(output);
    EXPECT_EQ(QProcess::execute(WIDMO_CLI, arguments + QStringList{output}), 0);
    return file_bytes(output);
}

void wait_for_spectrum(const spectrum_viewer& viewer)
{
    for (int i = 0; i < 600 && viewer.computing(); ++i) {
        QTest::qWait(50);
    }
    ASSERT_FALSE(viewer.computing());
    QCoreApplication::processEvents();
}

class Viewer : public testing::Test
{
protected:
    Viewer()
    {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    spectrum_viewer* open_spectrum()
    {
        form.open_picture_file(input);
        form.PoliczFFTClick();
        QTest::mouseDClick(form.Image2, Qt::LeftButton);
        return form.image2_viewer();
    }

    // Chooses in the viewer's own lists, as a user does.
    static void choose(spectrum_viewer& viewer, const QString& display, const QString& scale,
                       const QString& window, const QString& padding)
    {
        auto* scale_edit = viewer.findChild<QLineEdit*>("scale");
        scale_edit->setText(scale);
        emit scale_edit->editingFinished();
        const auto pick = [&viewer](const char* list, const QString& name) {
            auto* box = viewer.findChild<QComboBox*>(list);
            box->setCurrentIndex(box->findText(name));
        };
        pick("display", display);
        pick("window", window);
        pick("padding", padding);
        wait_for_spectrum(viewer);
    }

    message_recorder messages;
    TForm1 form;
    const QString input = png_picture("viewer-input.png", 75, 50);
};

// Every display and sampling option against widmo-cli on the same file: the picture
// shown and saved, and the spectrum saved as .npy, byte for byte. The first case is what
// the viewer opens on, from the window's own spectrum.
TEST_F(Viewer, ShowsAndSavesWhatWidmoCliWrites)
{
    spectrum_viewer* viewer = open_spectrum();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->windowTitle().contains("viewer-input.png"));
    struct Case
    {
        QString display, scale, window, padding, format;
    };
    const std::vector<Case> cases = {
        {"amplitude", "0.001", "none", "zero", "bmp"}, {"log", "0.001", "hann", "zero", "png"},
        {"phase", "0.001", "none", "mean", "pgm"},     {"power", "1e-7", "hann", "mean", "png"},
        {"re", "0.01", "none", "zero", "pgm"},         {"im", "0.5", "hann", "mean", "bmp"},
    };
    const QString saved_npy = QString::fromStdString(temp_path("viewer-saved.npy"));
    const QString cli_npy = QString::fromStdString(temp_path("viewer-cli.npy"));
    for (const Case& c : cases) {
        choose(*viewer, c.display, c.scale, c.window, c.padding);
        const std::string label = (c.display + " " + c.window + " " + c.padding).toStdString();
        EXPECT_TRUE(viewer->windowTitle().contains(c.display)) << label;
        const QString saved =
            QString::fromStdString(temp_path("viewer-saved." + c.format.toStdString()));
        QFile::remove(saved);
        QFile::remove(saved_npy);
        viewer->save_to(saved);
        viewer->save_to(saved_npy);
        const QString cli_picture =
            QString::fromStdString(temp_path("viewer-cli." + c.format.toStdString()));
        QFile::remove(cli_npy);
        const QByteArray expected = cli_output({"-m", c.display, "-s", c.scale, "-w", c.window,
                                                "-p", c.padding, "--npy", cli_npy, input},
                                               cli_picture);
        EXPECT_EQ(file_bytes(saved), expected) << label;
        EXPECT_EQ(file_bytes(saved_npy), file_bytes(cli_npy)) << label;
    }
    // The window's own picture stays what PoliczFFT painted.
    EXPECT_EQ(form.Image2->Picture()->Graphic()->Width(), 128);
    EXPECT_TRUE(messages.texts.empty());
}

// Closing a viewer that computes a spectrum does not wait for it: the window goes at
// once and the viewer with the computation's end. Shown again meanwhile, it stays.
TEST_F(Viewer, ClosingDoesNotWaitForTheComputation)
{
    form.open_picture_file(png_picture("viewer-large.png", 2000, 1500));
    form.PoliczFFTClick();
    QTest::mouseDClick(form.Image2, Qt::LeftButton);
    QPointer<spectrum_viewer> viewer = form.image2_viewer();
    ASSERT_NE(viewer, nullptr);
    auto* window_box = viewer->findChild<QComboBox*>("window");
    window_box->setCurrentIndex(window_box->findText("hann"));
    ASSERT_TRUE(viewer->computing());
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(viewer.isNull()) << "the viewer went before its computation ended";
    EXPECT_FALSE(viewer->isVisible());
    ASSERT_TRUE(viewer->computing());
    QTest::mouseDClick(form.Image2, Qt::LeftButton);
    EXPECT_EQ(form.image2_viewer(), viewer.data());
    wait_for_spectrum(*viewer);
    EXPECT_TRUE(viewer->isVisible());

    window_box->setCurrentIndex(window_box->findText("none"));
    auto* padding_box = viewer->findChild<QComboBox*>("padding");
    padding_box->setCurrentIndex(padding_box->findText("mean"));
    ASSERT_TRUE(viewer->computing());
    viewer->close();
    for (int i = 0; i < 600 && viewer; ++i) {
        QTest::qWait(50);
    }
    EXPECT_EQ(viewer, nullptr);
    EXPECT_EQ(form.image2_viewer(), nullptr);
}

// A view is never saved over the picture it comes from, nor with a name of no format.
TEST_F(Viewer, SavingRefusesTheInputAndUnknownNames)
{
    spectrum_viewer* viewer = open_spectrum();
    ASSERT_NE(viewer, nullptr);
    const QByteArray before = file_bytes(input);
    EXPECT_THROW(viewer->save_to(input), std::runtime_error);
    EXPECT_EQ(file_bytes(input), before);
    const QString unknown = QString::fromStdString(temp_path("viewer-saved.txt"));
    QFile::remove(unknown);
    EXPECT_THROW(viewer->save_to(unknown), std::runtime_error);
    EXPECT_FALSE(QFile::exists(unknown));
}

// One viewer per box: a second double-click raises it. A new picture or spectrum shows in
// the viewers already open.
TEST_F(Viewer, OneViewerPerBoxFollowingTheWindow)
{
    QTest::mouseDClick(form.Image1, Qt::LeftButton);
    EXPECT_EQ(form.image1_viewer(), nullptr) << "no picture yet";
    form.open_picture_file(input);
    QTest::mouseDClick(form.Image1, Qt::LeftButton);
    picture_viewer* first = form.image1_viewer();
    ASSERT_NE(first, nullptr);
    QTest::mouseDClick(form.Image1, Qt::LeftButton);
    EXPECT_EQ(form.image1_viewer(), first);
    EXPECT_EQ(form.findChildren<picture_viewer*>().size(), 1);
    EXPECT_EQ(first->shown_picture().size(), QSize(75, 50));
    EXPECT_TRUE(first->windowTitle().contains("viewer-input.png"));

    spectrum_viewer* spectrum = open_spectrum();
    ASSERT_NE(spectrum, nullptr);
    EXPECT_EQ(spectrum->shown_picture().size(), QSize(128, 64));
    const QString wider = png_picture("viewer-wider.png", 140, 20);
    form.open_picture_file(wider);
    EXPECT_EQ(first->shown_picture().size(), QSize(140, 20));
    EXPECT_TRUE(spectrum->windowTitle().contains("viewer-input.png"))
        << "the spectrum is still the old picture's";
    form.PoliczFFTClick();
    EXPECT_EQ(spectrum->shown_picture().size(), QSize(256, 32));
    EXPECT_TRUE(spectrum->windowTitle().contains("viewer-wider.png"));
}

// The argument's and a drop's way in refuses what widmo-cli refuses, keeping the picture.
TEST_F(Viewer, OpeningAFileRefusesWhatIsNoPicture)
{
    form.open_picture_file(input);
    const QString broken = QString::fromStdString(temp_path("viewer-broken.png"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG\r\n\x1a\n not really");
    file.close();
    EXPECT_THROW(form.open_picture_file(broken), std::exception);
    EXPECT_EQ(SourceBitmap->Width(), 75);
    EXPECT_EQ(form.Image1->Picture()->Graphic()->Width(), 75);
}

// The readout names the frequency of the element under the pointer by the stripes it
// stands for, and the picture's grey level.
TEST_F(Viewer, ReadoutNamesStripesAndGreyLevels)
{
    QImage stripes(16, 16, QImage::Format_Grayscale8);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            stripes.scanLine(y)[x] = (x + y) % 4 < 2 ? 200 : 40;
        }
    }
    const QString diagonal = QString::fromStdString(temp_path("viewer-diagonal.png"));
    ASSERT_TRUE(stripes.save(diagonal, "PNG"));
    form.open_picture_file(diagonal);
    form.PoliczFFTClick();
    QTest::mouseDClick(form.Image2, Qt::LeftButton);
    QTest::mouseDClick(form.Image1, Qt::LeftButton);
    ASSERT_NE(form.image2_viewer(), nullptr);
    ASSERT_NE(form.image1_viewer(), nullptr);
    const spectrum_viewer& spectrum = *form.image2_viewer();
    // Four pixels along each axis: a quarter cycle per pixel across and down, stripes
    // rising at 45 degrees, 2.83 pixels apart.
    EXPECT_TRUE(
        spectrum.readout(QPoint(12, 12)).startsWith("u 4, v 4: period 2.83 px, stripes at 45.0°"))
        << spectrum.readout(QPoint(12, 12)).toStdString();
    EXPECT_TRUE(
        spectrum.readout(QPoint(4, 12)).startsWith("u -4, v 4: period 2.83 px, stripes at 135.0°"));
    EXPECT_TRUE(spectrum.readout(QPoint(8, 8))
                    .startsWith("u 0, v 0: the mean (zero frequency); |X| 30720,"))
        << spectrum.readout(QPoint(8, 8)).toStdString();
    EXPECT_TRUE(spectrum.readout(QPoint(16, 3)).isEmpty());
    EXPECT_EQ(form.image1_viewer()->readout(QPoint(2, 1)), "x 2, y 1: grey level 40");
}

// A file dropped on the window loads as the argument does; the open dialog starts where
// the last file was chosen, also in a window made later (the next run).
TEST_F(Viewer, DropsLoadAndTheOpenFolderIsKept)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(input)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &drop);
    ASSERT_NE(form.Image1->Picture()->Graphic(), nullptr);
    EXPECT_EQ(form.Image1->Picture()->Graphic()->Width(), 75);
    EXPECT_TRUE(messages.texts.empty());

    const std::string bmp = temp_path("viewer-folder/chosen.bmp");
    QDir().mkpath(QFileInfo(QString::fromStdString(bmp)).absolutePath());
    QImage(5, 4, QImage::Format_Indexed8).save(QString::fromStdString(bmp), "BMP");
    const TOpenDialog::Chooser previous =
        TOpenDialog::SetChooser([bmp](const TOpenDialog&) { return std::optional(bmp); });
    QTest::mouseClick(form.Wczytaj, Qt::LeftButton);
    TOpenDialog::SetChooser(previous);
    const TForm1 next_run;
    EXPECT_EQ(next_run.OpenDialog1->InitialDir(),
              QFileInfo(QString::fromStdString(bmp)).absolutePath());
}

// While PoliczFFT transforms, the window handles its events with the commands disabled:
// a click on PoliczFFT meanwhile is dropped, not run afterwards.
TEST_F(Viewer, PoliczFFTKeepsTheWindowAliveAndDropsClicks)
{
    form.open_picture_file(png_picture("viewer-large.png", 2000, 1500));
    int runs = 0;
    const auto count_runs = form.PoliczFFT->OnClick;
    form.PoliczFFT->OnClick = [&runs, count_runs] {
        ++runs;
        count_runs();
    };
    std::vector<bool> enabled;
    QTimer::singleShot(0, [this, &enabled] {
        enabled = {form.Wczytaj->isEnabled(), form.PoliczFFT->isEnabled(),
                   form.Zamknij->isEnabled(), form.Image2->isEnabled()};
        QTest::mouseClick(form.PoliczFFT, Qt::LeftButton);
    });
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.PoliczFFT->setFocus();
    for (int i = 0; i < 100 && !form.PoliczFFT->hasFocus(); ++i) {
        QTest::qWait(50);
    }
    ASSERT_TRUE(form.PoliczFFT->hasFocus());
    QTest::mouseClick(form.PoliczFFT, Qt::LeftButton);
    QTest::qWait(100);
    EXPECT_EQ(enabled, std::vector<bool>(4, false))
        << "no events were handled, or commands stayed on";
    for (int i = 0; i < 100 && !form.PoliczFFT->hasFocus(); ++i) {
        QTest::qWait(50);
    }
    EXPECT_TRUE(form.PoliczFFT->hasFocus()) << "the keyboard focus did not come back";
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(form.PoliczFFT->isEnabled());
    EXPECT_TRUE(form.Wczytaj->isEnabled());
    EXPECT_EQ(form.Image2->Picture()->Graphic()->Width(), 2048);
}

TEST(PictureView, FitsZoomsAndComesBack)
{
    picture_view view;
    view.resize(400, 300);
    view.show_picture(QImage(1000, 500, QImage::Format_Grayscale8));
    EXPECT_DOUBLE_EQ(view.zoom(), 0.4);
    view.actual_size();
    EXPECT_DOUBLE_EQ(view.zoom(), 1.0);
    view.zoom_in();
    EXPECT_DOUBLE_EQ(view.zoom(), 1.25);
    // The centre keeps its picture point while zooming.
    EXPECT_EQ(view.picture_point(QPointF(200, 150)), QPoint(500, 250));
    view.fit();
    EXPECT_DOUBLE_EQ(view.zoom(), 0.4);
    view.resize(200, 300);
    EXPECT_DOUBLE_EQ(view.zoom(), 0.2);
}

// Below 1:1 each screen pixel is the mean of the picture pixels it covers: a fine
// checkerboard shows as its mean grey, not as one of its two levels.
TEST(PictureView, ReducesByAveraging)
{
    QImage picture(128, 128, QImage::Format_Grayscale8);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            picture.scanLine(y)[x] = x < 64 ? ((x + y) % 2 == 0 ? 0 : 200) : 60;
        }
    }
    picture_view view;
    view.resize(64, 64);
    view.show_picture(picture);
    ASSERT_DOUBLE_EQ(view.zoom(), 0.5);
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(qGray(shown.pixel(10, 20)), 100);
    EXPECT_EQ(qGray(shown.pixel(50, 20)), 60);
}

// While the zoom changes, the picture averaged for the last zoom is drawn scaled; once the
// zoom keeps still it is averaged again: 2 x 2 squares of 0 and 200 show as themselves at
// 1:2 and as their mean grey at 1:4.
TEST(PictureView, AveragesAgainOnceTheZoomKeepsStill)
{
    QImage picture(256, 256, QImage::Format_Grayscale8);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            picture.scanLine(y)[x] = (x / 2 + y / 2) % 2 == 0 ? 0 : 200;
        }
    }
    picture_view view;
    view.resize(128, 128);
    view.show_picture(picture);
    view.show();
    EXPECT_EQ(qGray(view.grab().toImage().pixel(11, 20)), 200);
    view.resize(64, 64);
    ASSERT_DOUBLE_EQ(view.zoom(), 0.25);
    int grey = qGray(view.grab().toImage().pixel(11, 20));
    EXPECT_NE(grey, 100);
    for (int i = 0; i < 100 && grey != 100; ++i) {
        QTest::qWait(50);
        grey = qGray(view.grab().toImage().pixel(11, 20));
    }
    EXPECT_EQ(grey, 100);
}

// The windows go on handling events while the work runs elsewhere, and what the work
// raises comes back; the widgets are disabled meanwhile and enabled again afterwards.
TEST(BusyWork, EventsGoOnAndFailuresComeBack)
{
    QPushButton button;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(5);
    {
        const widgets_disabled disabled{&button};
        run_beside_events([&button] {
            EXPECT_FALSE(button.isEnabled());
            QThread::msleep(200);
        });
    }
    EXPECT_GT(ticks, 3);
    EXPECT_TRUE(button.isEnabled());
    EXPECT_THROW(run_beside_events([] { throw std::runtime_error("failed"); }), std::runtime_error);
}

} // namespace

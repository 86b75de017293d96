#include "TApplication.h"
#include "TBitmap.h"
#include "TImage.h"
#include "TOpenDialog.h"
#include "Unit1.h"
#include "message_box.h"
#include "wait_cursor.h"

#include "bitmap_pixels.h"
#include "bmp_writer.h"
#include "message_recorder.h"
#include "shared_among.h"

#include <QApplication>
#include <QCursor>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Readable Qt strings in failure reports.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// A picture whose pixels differ from row to row and column to column.
BmpPicture pattern_picture(int width, int height, int bits)
{
    BmpPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bits = bits;
    if (bits == 8) {
        picture.colours = grey_colours();
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t level = (x * 37 + y * 11 + x * y) % 256;
            picture.pixels.push_back(bits == 8 ? level : level << 16 | (255 - level) << 8 | x);
        }
    }
    return picture;
}

std::string bmp_file(const std::string& name, int width, int height, int bits = 8)
{
    const std::string path = temp_path(name);
    write_bmp(path, pattern_picture(width, height, bits));
    return path;
}

// The window on the offscreen screen, with its file dialog answered by the test and
// its messages recorded.
class Window : public testing::Test
{
protected:
    Window()
    {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    ~Window() override { TOpenDialog::SetChooser(previousChooser); }

    // The next dialogs answer `answer`: a file name, or a cancel for nothing.
    void Answer(std::optional<std::string> answer)
    {
        TOpenDialog::SetChooser([answer](const TOpenDialog&) { return answer; });
    }

    void Click(TButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    void Load(const std::string& path)
    {
        Answer(path);
        Click(form.Wczytaj);
    }

    message_recorder messages;
    TOpenDialog::Chooser previousChooser = TOpenDialog::SetChooser({});
    TForm1 form;
};

TEST_F(Window, LayoutCaptionsAndTabOrderComeFromTheFormDescription)
{
    struct Expected
    {
        const char* name;
        const char* class_name;
        QRect geometry;
        QString caption;
    };
    const std::vector<Expected> table = {
        {"Image1", "TImage", {32, 24, 217, 217}, {}},
        {"Image2", "TImage", {312, 24, 217, 217}, {}},
        {"Label1", "TLabel", {592, 424, 91, 15}, {}},
        {"Wczytaj", "TButton", {40, 272, 113, 33}, "Wczytaj"},
        {"PoliczFFT", "TButton", {320, 272, 113, 33}, "PoliczFFT"},
        {"Zamknij", "TButton", {584, 24, 97, 33}, "Zamknij"},
    };
    for (const Expected& row : table) {
        const QWidget* widget = form.findChild<QWidget*>(row.name);
        ASSERT_NE(widget, nullptr) << row.name;
        EXPECT_STREQ(widget->metaObject()->className(), row.class_name);
        EXPECT_EQ(widget->geometry(), row.geometry) << row.name;
        if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), row.caption);
        }
    }
    EXPECT_EQ(form.objectName(), "Form1");
    EXPECT_EQ(form.windowTitle(), "Form1");
    EXPECT_EQ(form.size(), QSize(696, 480));
    EXPECT_EQ(form.pos(), QPoint(210, 188));
    EXPECT_EQ(form.font().family(), "MS Sans Serif");
    EXPECT_EQ(form.Label1->font().family(), "Comic Sans MS");
    EXPECT_EQ(form.Label1->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_FALSE(form.Label1->text().isEmpty());
    EXPECT_FALSE(form.Image1->Center());
    EXPECT_TRUE(form.Image2->Center());
    EXPECT_EQ(form.OpenDialog1->Filter(), "Bitmapy|*.BMP");
    EXPECT_FALSE(form.OpenDialog1->isVisible());
    EXPECT_FALSE(form.SaveDialog1->isVisible());
    // The background is the system's button face colour, whatever its window colour is.
    const QPalette systemColours = QApplication::palette();
    QPalette unusual = systemColours;
    unusual.setColor(QPalette::Button, QColor(10, 200, 30));
    unusual.setColor(QPalette::Window, QColor(250, 0, 0));
    QApplication::setPalette(unusual);
    const QColor background = TForm1().grab().toImage().pixelColor(5, 5);
    QApplication::setPalette(systemColours);
    EXPECT_EQ(background, QColor(10, 200, 30));

    // Tab order: Wczytaj, PoliczFFT, Zamknij, and round again.
    std::vector<QWidget*> chain;
    for (QWidget* w = form.Wczytaj->nextInFocusChain(); chain.size() < 3;
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus) {
            chain.push_back(w);
        }
    }
    EXPECT_EQ(chain, (std::vector<QWidget*>{form.PoliczFFT, form.Zamknij, form.Wczytaj}));
}

TEST_F(Window, PoliczFFTBeforeAnyPictureOnlySaysItDoesNotWork)
{
    Click(form.PoliczFFT);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Nie pracuje"});
    EXPECT_EQ(form.Image2->Picture()->Graphic(), nullptr);
    EXPECT_EQ(Spectrum, nullptr);
}

// The large picture is worked on by three threads in the window and by one in the tool.
TEST_F(Window, SpectrumIsExactlyWhatTheCommandLineToolWrites)
{
    struct Case
    {
        const char* name;
        int width, height, bits, threads;
        QSize spectrum;
    };
    for (const Case& c :
         {Case{"grey.bmp", 37, 21, 8, 1, {64, 32}}, Case{"colour.bmp", 37, 21, 24, 1, {64, 32}},
          Case{"large.bmp", 600, 300, 8, 3, {1024, 512}}}) {
        const std::string input = bmp_file(c.name, c.width, c.height, c.bits);
        const std::string output = temp_path(std::string("cli-") + c.name);
        qputenv("WIDMO_THREADS", "1");
        ASSERT_EQ(QProcess::execute(
                      WIDMO_CLI, {QString::fromStdString(input), QString::fromStdString(output)}),
                  0);
        qunsetenv("WIDMO_THREADS");
        TBitmap written;
        written.LoadFromFile(output);

        const shared_among sharing(c.threads);
        Load(input);
        Click(form.PoliczFFT);
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_EQ(shown_picture(form.Image2).size(), c.spectrum) << c.name;
        EXPECT_EQ(shown_picture(form.Image2), written.Image()) << c.name;
    }
}

TEST_F(Window, PoliczFFTTwiceShowsTheSamePicture)
{
    Load(bmp_file("twice.bmp", 30, 30));
    Click(form.PoliczFFT);
    const QImage first = shown_picture(form.Image2);
    Click(form.PoliczFFT);
    EXPECT_FALSE(first.isNull());
    EXPECT_EQ(shown_picture(form.Image2), first);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(Window, ASecondFileReplacesTheFirst)
{
    Load(bmp_file("first.bmp", 20, 10));
    Click(form.PoliczFFT);
    const TBitmap* bitmap = form.Image1->Picture()->Graphic();
    Load(bmp_file("second.bmp", 40, 30));
    EXPECT_EQ(form.Image1->Picture()->Graphic(), bitmap);
    EXPECT_EQ(SourceBitmap, bitmap);
    EXPECT_EQ(shown_picture(form.Image1).size(), QSize(40, 30));
    Click(form.PoliczFFT);
    EXPECT_EQ(shown_picture(form.Image2).size(), QSize(64, 32));
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(Window, AFailedLoadIsReportedAndKeepsThePreviousPicture)
{
    Load(bmp_file("good.bmp", 16, 16));
    const QImage before = shown_picture(form.Image1);
    const std::string broken = temp_path("broken.bmp");
    write_file(broken, {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
    Load(broken);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("broken.bmp"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(shown_picture(form.Image1), before);
    EXPECT_EQ(SourceBitmap->PixelFormat(), pf8bit);

    // The program goes on: the next command works on the kept picture.
    Click(form.PoliczFFT);
    EXPECT_EQ(shown_picture(form.Image2).size(), QSize(16, 16));
    EXPECT_EQ(messages.texts.size(), 1u);
}

TEST_F(Window, ACancelledDialogChangesNothing)
{
    Answer(std::nullopt);
    Click(form.Wczytaj);
    EXPECT_EQ(SourceBitmap, nullptr);
    EXPECT_EQ(form.Image1->Picture()->Graphic(), nullptr);

    Load(bmp_file("kept.bmp", 8, 8));
    const QImage before = shown_picture(form.Image1);
    Answer(std::nullopt);
    Click(form.Wczytaj);
    EXPECT_EQ(shown_picture(form.Image1), before);
    EXPECT_EQ(form.OpenDialog1->FileName(), temp_path("kept.bmp"));
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(Window, TheWaitCursorShowsOnlyWhileTheSpectrumIsComputed)
{
    std::vector<const QCursor*> cursors;
    const message_sink previous = set_message_sink(
        [&](const std::string&) { cursors.push_back(QGuiApplication::overrideCursor()); });
    Click(form.PoliczFFT);
    // A picture that sampling refuses makes the pipeline speak while it runs.
    Load(bmp_file("busy.bmp", 8, 8));
    SourceBitmap->PixelFormat(pf24bit);
    Click(form.PoliczFFT);
    set_message_sink(previous);

    ASSERT_EQ(cursors.size(), 2u);
    EXPECT_EQ(cursors[0], nullptr);
    ASSERT_NE(cursors[1], nullptr);
    EXPECT_EQ(cursors[1]->shape(), Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(MessageBox, ShowsAnArrowEvenWhileTheProgramIsBusy)
{
    wait_cursor busy;
    std::optional<Qt::CursorShape> seen;
    // Runs inside the box's own loop: note the cursor, then answer the box.
    QTimer::singleShot(0, [&] {
        seen = QGuiApplication::overrideCursor()->shape();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget)) {
                box->done(QMessageBox::Ok);
            }
        }
    });
    modal_message_box("Blad");
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(*seen, Qt::ArrowCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

TEST_F(Window, ZamknijClosesTheWindow)
{
    ASSERT_TRUE(form.isVisible());
    Click(form.Zamknij);
    EXPECT_FALSE(form.isVisible());
}

TEST(FormDescription, AMissingOneRaisesWithItsName)
{
    try {
        TForm form("TNOSUCHFORM");
        ADD_FAILURE() << "a form without a description was built";
    } catch (const Exception& error) {
        EXPECT_NE(error.Message().find("TNOSUCHFORM"), std::string::npos) << error.Message();
    }
}

TEST(FormClosing, ReleasesTheSourcePicture)
{
    const TOpenDialog::Chooser previous = TOpenDialog::SetChooser(
        [](const TOpenDialog&) { return std::optional(bmp_file("gone.bmp", 4, 4)); });
    {
        TForm1 form;
        form.WczytajClick();
        EXPECT_EQ(SourceBitmap, form.Image1->Picture()->Graphic());
    }
    TOpenDialog::SetChooser(previous);
    EXPECT_EQ(SourceBitmap, nullptr);
}

TEST(ImageBox, ShowsThePictureUnscaledAndClippedAtTheCornerOrCentred)
{
    TImage box;
    box.resize(217, 217);
    TBitmap* bitmap = box.Picture()->Bitmap();
    bitmap->LoadFromFile(bmp_file("large.bmp", 300, 250, 24));
    const QImage picture = bitmap->Image();

    QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0), picture.pixel(0, 0));
    EXPECT_EQ(shown.pixel(216, 216), picture.pixel(216, 216));

    box.Center(true);
    shown = box.grab().toImage();
    // (300 - 217) / 2 = 41 and (250 - 217) / 2 = 16 columns and rows are cut away.
    EXPECT_EQ(box.PictureOrigin(), QPoint(-41, -16));
    EXPECT_EQ(shown.pixel(0, 0), picture.pixel(41, 16));
    EXPECT_EQ(shown.pixel(216, 216), picture.pixel(257, 232));

    bitmap->LoadFromFile(bmp_file("small.bmp", 17, 7, 24));
    EXPECT_EQ(box.PictureOrigin(), QPoint(100, 105));
    EXPECT_EQ(box.VisiblePart(), QRect(0, 0, 17, 7));
    EXPECT_EQ(box.grab().toImage().pixel(100, 105), bitmap->Image().pixel(0, 0));
}

TEST(OpenDialogFilter, MatchesTheBmpPatternInAnyLetterCase)
{
    EXPECT_EQ(dialog_name_filters("Bitmapy|*.BMP"), QStringList{"Bitmapy (*.[bB][mM][pP])"});
    EXPECT_EQ(dialog_name_filters("A|*.a;*.b|B|x[1].c|dangling"),
              (QStringList{"A (*.[aA] *.[bB])", "B ([xX][[]1].[cC])"}));

    const QDir folder(QString::fromStdString(temp_path("filtered")));
    ASSERT_TRUE(folder.mkpath("."));
    for (const char* name : {"photo.bmp", "PHOTO2.BMP", "Photo3.Bmp", "photo.png", "bmp"}) {
        QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    }
    const QString pattern = case_insensitive_pattern("*.BMP");
    QStringList found = folder.entryList({pattern}, QDir::Files | QDir::CaseSensitive);
    found.sort();
    EXPECT_EQ(found, (QStringList{"PHOTO2.BMP", "Photo3.Bmp", "photo.bmp"}));
}

TEST(Application, ReportsAnExceptionLeavingAHandlerAndGoesOn)
{
    message_recorder messages;
    Application->Guarded([] { throw Exception("Plik jest uszkodzony"); });
    Application->Guarded([] { throw std::bad_alloc(); });
    Application->Guarded([] { throw 42; });
    bool ran = false;
    Application->Guarded([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(messages.texts,
              (std::vector<std::string>{"Plik jest uszkodzony", "Out of memory", ""}));
}

} // namespace

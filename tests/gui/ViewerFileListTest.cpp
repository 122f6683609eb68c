// The folder list and the wheel steps through it, with wheel events delivered to the window.
#include <QWheelEvent>
#include <QWindow>

#include "ViewerFixture.h"

namespace {

class ViewerFileList : public ViewerFixture {
protected:
    QStringList list;  // the entries in the platform's order, as the list box shows them

    void SetUp() override
    {
        ViewerFixture::SetUp();
        for (const char* stem : {"a", "b", "c"})
            WriteRamp(8, 8, stem);
        Load(folder.Path("a 8 8 1p0.raw"));
        for (int i = 0; i < ui.ListBox1->count(); ++i)
            list << ui.ListBox1->item(i)->text();
        QApplication::setActiveWindow(&form);
    }

    // Counts the wheel events that reach a widget, i.e. that nobody took before dispatch.
    class WidgetWheelProbe : public QObject {
    public:
        int seen = 0;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Wheel && watched->isWidgetType())
                ++seen;
            return false;
        }
    };

    // One wheel message as the platform delivers it, to the top-level window first. True when the
    // viewer took it, so that no widget saw it.
    bool Wheel(int delta, QPoint angle = {})
    {
        if (angle.isNull())
            angle = QPoint(0, delta);
        WidgetWheelProbe probe;
        qApp->installEventFilter(&probe);
        QWheelEvent wheel(QPointF(100, 100), QPointF(151, 143), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(form.windowHandle(), &wheel);
        qApp->removeEventFilter(&probe);
        return probe.seen == 0;
    }

    int NumberOf(const QString& path) const { return static_cast<int>(list.indexOf(path)); }
};

TEST_F(ViewerFileList, ListsTheFolderAndFindsTheLoadedFile)
{
    ASSERT_EQ(list.size(), 3);
    QStringList sorted = list;
    sorted.sort();
    EXPECT_EQ(sorted, (QStringList{folder.Path("a 8 8 1p0.raw"), folder.Path("b 8 8 1p0.raw"),
                                   folder.Path("c 8 8 1p0.raw")}));
    EXPECT_EQ(ui.EditFListNo->text(), QString::number(NumberOf(folder.Path("a 8 8 1p0.raw"))));

    // Hidden files are listed, folders are not.
    QDir(folder.Folder()).mkdir("sub");
    folder.Write(".hidden", "x");
    QTest::mouseClick(ui.ButtonFileList, Qt::LeftButton);
    EXPECT_EQ(ui.ListBox1->count(), 4);
    EXPECT_FALSE(ui.ListBox1->findItems(folder.Path(".hidden"), Qt::MatchExactly).isEmpty());

    // A name that is not in the folder: the list is rebuilt, the number stays, the error shows.
    ui.EditFListNo->setText("2");
    ui.EditFileName->setText(folder.Path("A 8 8 1p0.raw"));
    QTest::mouseClick(ui.ButtonFileList, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{"リストのインデックスが範囲を超えています (4)"});
    EXPECT_EQ(ui.ListBox1->count(), 4);
    EXPECT_EQ(ui.EditFListNo->text(), "2");

    // An empty folder: an empty list and the same error; a wheel turn then has nothing to load.
    dialogs.messages.clear();
    QDir(folder.Folder()).mkdir("empty");
    ui.EditFileName->setText(folder.Path("empty/x.raw"));
    QTest::mouseClick(ui.ButtonFileList, Qt::LeftButton);
    EXPECT_EQ(ui.ListBox1->count(), 0);
    QApplication::setActiveWindow(&form);
    EXPECT_FALSE(Wheel(120));
    EXPECT_EQ(dialogs.messages, (QStringList{"リストのインデックスが範囲を超えています (0)",
                                             "リストのインデックスが範囲を超えています (2)"}));
}

TEST_F(ViewerFileList, WheelStepsThroughTheList)
{
    // After loading the middle entry through the dialog: reload it, then the last, stay there,
    // and turn back.
    Load(list[1]);
    ASSERT_EQ(ui.EditFListNo->text(), "1");
    const struct {
        int delta;
        int loaded;
        const char* next;
    } steps[] = {{120, 1, "2"}, {120, 2, "2"}, {-120, 2, "1"}, {-240, 1, "0"}, {-120, 0, "0"}, {240, 0, "1"}};
    for (const auto& s : steps) {
        ui.EditFileSize->clear();
        EXPECT_TRUE(Wheel(s.delta));
        EXPECT_EQ(ui.EditFileName->text(), list[s.loaded]) << s.delta;
        EXPECT_EQ(ui.EditFileSize->text(), "128");  // really loaded
        EXPECT_EQ(ui.EditFListNo->text(), s.next) << s.delta;
        EXPECT_EQ(form.LoadState, 1);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ViewerFileList, WheelIsLeftAloneElsewhere)
{
    const QString name = ui.EditFileName->text();
    const QString number = ui.EditFListNo->text();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_FALSE(Wheel(120));  // another window is active
    QApplication::setActiveWindow(&form);
    ui.StringGridDICOM->resize(516, 300);  // the enlarged header grid
    EXPECT_FALSE(Wheel(120));
    ui.StringGridDICOM->resize(516, 109);
    EXPECT_FALSE(Wheel(0, QPoint(120, 0)));  // sideways
    EXPECT_EQ(ui.EditFileName->text(), name);
    EXPECT_EQ(ui.EditFListNo->text(), number);
    EXPECT_TRUE(Wheel(120));
}

TEST_F(ViewerFileList, BadNumbersAndVanishedFiles)
{
    const QString name = ui.EditFileName->text();
    const struct {
        const char* number;
        const char* message;
    } bad[] = {{"7", "リストのインデックスが範囲を超えています (7)"}, {"-1", "リストのインデックスが範囲を超えています (-1)"},
               {"x", "'x' は整数ではありません"}};
    for (const auto& b : bad) {
        dialogs.messages.clear();
        ui.EditFListNo->setText(b.number);
        EXPECT_FALSE(Wheel(120));
        EXPECT_EQ(dialogs.messages, QStringList{QString::fromUtf8(b.message)});
        EXPECT_EQ(ui.EditFileName->text(), name);
        EXPECT_EQ(form.LoadState, 1);
    }

    // The middle entry disappears: its step shows the load's error and leaves the image on show
    // with its name, and the next turn goes on past it instead of failing on the same entry again.
    dialogs.messages.clear();
    ui.EditFListNo->setText("1");
    QFile::remove(list[1]);
    EXPECT_FALSE(Wheel(120));
    EXPECT_EQ(dialogs.messages, QStringList{"ファイル " + list[1] + " は開けません"});
    EXPECT_EQ(ui.EditFileName->text(), name);
    EXPECT_EQ(form.LoadState, 1);
    EXPECT_EQ(ui.EditFListNo->text(), "2");
    EXPECT_TRUE(Wheel(120));
    EXPECT_EQ(ui.EditFileName->text(), list[2]);
    EXPECT_EQ(form.LoadState, 1);
    EXPECT_EQ(ui.ListBox1->count(), 2);
    EXPECT_EQ(dialogs.messages.size(), 1);
}

} // namespace

#include "dockwatch/form1.h"
#include "dockwatch/form2.h"

#include "messageboxwatcher.h"
#include "sockets.h"

#include "directory/error.h"
#include "ui/line.h"
#include "ui/look.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <set>

namespace {

using dockwatch::Form1;
using testsupport::MessageBoxWatcher;
using testsupport::processEventsFor;

// Stand-ins for the failures and the empty table a real kernel rarely gives.
class FixedTable : public dockwatch::TcpTableSource {
public:
    explicit FixedTable(std::vector<netstat::MibTcpRow> rows, bool fail = false) : rows_(std::move(rows)), fail_(fail) {}
    std::vector<netstat::MibTcpRow> GetTcpTable() override
    {
        if (fail_)
            throw ads::Error(105, "No buffer space available");
        return rows_;
    }

private:
    std::vector<netstat::MibTcpRow> rows_;
    bool fail_;
};

std::unique_ptr<ads::Wmi> unreachableWmi(std::string_view)
{
    throw ads::Error(static_cast<std::int32_t>(0x800706BAu), "The RPC server is unavailable.");
}

template <class T>
T* child(QWidget* w, const char* name)
{
    auto* c = w->findChild<T*>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

QStringList rowTexts(QTreeView* list, int row)
{
    QStringList out;
    for (int c = 0; c < list->model()->columnCount(); ++c)
        out << list->model()->index(row, c).data().toString();
    return out;
}

std::vector<QStringList> allRows(QTreeView* list)
{
    std::vector<QStringList> rows;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        rows.push_back(rowTexts(list, r));
    return rows;
}

// The rows of the connections to or from one port: other tests' leftovers aside.
std::size_t rowsOfPort(const std::vector<QStringList>& rows, std::uint16_t port)
{
    const QString p = QString::number(port);
    return std::count_if(rows.begin(), rows.end(), [&](const QStringList& r) { return r[1] == p || r[3] == p; });
}

QWidget* topLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

void clickRow(QTreeView* list, int row)
{
    list->scrollTo(list->model()->index(row, 0));
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

class Form1Test : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QApplication::processEvents();
    }
    dockwatch::NetlinkTcpTable table;
};

TEST_F(Form1Test, ListsTheConnectionsAsDecodedWithTheComputerName)
{
    auto listener = testsockets::listen();
    std::vector<testsockets::Pair> pairs;
    for (int i = 0; i < 150; ++i)  // more than the old 101-row limit
        pairs.push_back(testsockets::connect(listener));

    auto* form = new Form1(table);
    form->show();
    EXPECT_EQ(form->windowTitle(), "Dockwatching");
    EXPECT_EQ(child<QLineEdit>(form, "Text1")->text(), "DOCKTEST");
    EXPECT_TRUE(child<QLineEdit>(form, "Text1")->isReadOnly());
    EXPECT_EQ(child<QLineEdit>(form, "Text1")->toolTip(), "This is the Computer Name");
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);

    auto* list = child<QTreeView>(form, "ListView1");
    QStringList headers;
    for (int c = 0; c < list->model()->columnCount(); ++c)
        headers << list->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"Local IP", "Local Port", "Remote IP", "Remote Port", "Status"}));

    const auto rows = allRows(list);
    EXPECT_EQ(rowsOfPort(rows, listener.port), 301u);  // the listener and both ends of each connection
    const QString server = QString::number(listener.port);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), QStringList{"127.0.0.1", server, "0.0.0.0", "0", "LISTEN"}), 1);
    for (const auto& p : pairs) {
        const QString client = QString::number(p.clientPort);
        EXPECT_EQ(std::count(rows.begin(), rows.end(), QStringList{"127.0.0.1", client, "127.0.0.1", server, "ESTAB"}), 1);
        EXPECT_EQ(std::count(rows.begin(), rows.end(), QStringList{"127.0.0.1", server, "127.0.0.1", client, "ESTAB"}), 1);
    }
}

TEST_F(Form1Test, CountFollowsWithinATenthOfASecondAndTheStatusLineTellsTheTime)
{
    auto listener = testsockets::listen();
    auto* form = new Form1(table);
    form->show();
    auto* label1 = child<QLabel>(form, "Label1");
    auto* label2 = child<QLabel>(form, "Label2");
    auto* list = child<QTreeView>(form, "ListView1");

    const int before = list->model()->rowCount();
    const QString counted = "Total In List: " + QString::number(before);
    QElapsedTimer t;
    t.start();
    while (label1->text() != counted && t.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(label1->text(), counted);

    auto pair = testsockets::connect(listener);
    QTest::mouseClick(child<QPushButton>(form, "Command1"), Qt::LeftButton);
    EXPECT_EQ(list->model()->rowCount(), before + 2);
    const QString recounted = "Total In List: " + QString::number(before + 2);
    t.restart();
    while (label1->text() != recounted && t.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(label1->text(), recounted);
    EXPECT_LE(t.elapsed(), 300);  // one 100 ms tick, with room for a busy test machine

    const QLocale locale = QLocale::system();
    const QString prefix = "Netstat status as of: " + locale.toString(QDate::currentDate(), QLocale::ShortFormat) + " ";
    ASSERT_TRUE(label2->text().startsWith(prefix)) << label2->text().toStdString();
    const QString time = label2->text().mid(prefix.size());
    EXPECT_TRUE(QRegularExpression("^\\d{1,2}:\\d{2}:\\d{2}( [AP]M)?$").match(time).hasMatch()) << time.toStdString();
}

TEST_F(Form1Test, AnEmptyTableAndAnUnreadableOneShowNoRowsButTheTime)
{
    for (bool fail : {false, true}) {
        FixedTable empty({}, fail);
        MessageBoxWatcher boxes;
        auto* form = new Form1(empty);
        form->show();
        processEventsFor(150);
        EXPECT_EQ(child<QTreeView>(form, "ListView1")->model()->rowCount(), 0);
        EXPECT_EQ(child<QLabel>(form, "Label1")->text(), "Total In List: 0");
        EXPECT_TRUE(child<QLabel>(form, "Label2")->text().startsWith("Netstat status as of: "));
        EXPECT_TRUE(boxes.boxes().empty());

        // A click on the empty list does no harm.
        QTest::mouseClick(child<QTreeView>(form, "ListView1")->viewport(), Qt::LeftButton);
        processEventsFor(20);
        EXPECT_EQ(topLevel("Form2"), nullptr);
        form->close();
        QApplication::processEvents();
    }
}

TEST_F(Form1Test, LineBlinksEveryOneAndAHalfSeconds)
{
    auto* form = new Form1(table);
    form->show();
    auto* line = child<ui::Line>(form, "Line1");
    const QColor light = ui::vbColor(0x0080FFFF), dark = ui::vbColor(0x00C00000);
    EXPECT_EQ(line->borderColor(), light);

    QElapsedTimer t;
    t.start();
    while (line->borderColor() == light && t.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(line->borderColor(), dark);
    EXPECT_GE(t.elapsed(), 1300);
    EXPECT_LE(t.elapsed(), 2500);
    while (line->borderColor() == dark && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(line->borderColor(), light);
    EXPECT_GE(t.elapsed(), 2800);
    EXPECT_LE(t.elapsed(), 4500);
}

TEST_F(Form1Test, UpdateListNeverShowsAConnectionTwice)
{
    auto listener = testsockets::listen();
    std::vector<testsockets::Pair> pairs;
    for (int i = 0; i < 20; ++i)
        pairs.push_back(testsockets::connect(listener));
    auto* form = new Form1(table);
    form->show();
    auto* update = child<QPushButton>(form, "Command1");
    auto* list = child<QTreeView>(form, "ListView1");

    // A click that arrives while the update lets events run finds the button disabled.
    bool enabledDuringUpdate = true;
    QTimer::singleShot(0, form, [&] {
        enabledDuringUpdate = update->isEnabled();
        update->click();
    });
    QTest::mouseClick(update, Qt::LeftButton);
    QTest::mouseClick(update, Qt::LeftButton);
    EXPECT_FALSE(enabledDuringUpdate);
    EXPECT_TRUE(update->isEnabled());

    const auto rows = allRows(list);
    EXPECT_EQ(rowsOfPort(rows, listener.port), 41u);
    std::set<QStringList> unique(rows.begin(), rows.end());
    EXPECT_EQ(unique.size(), rows.size());
}

TEST_F(Form1Test, ARowClickOpensTheResolverWithItsRemoteAddress)
{
    auto listener = testsockets::listen();
    auto pair = testsockets::connect(listener);
    auto* form = new Form1(table);
    form->show();
    auto* list = child<QTreeView>(form, "ListView1");
    const auto rows = allRows(list);
    const auto it = std::find_if(rows.begin(), rows.end(), [](const QStringList& r) { return r[4] == "ESTAB"; });
    ASSERT_NE(it, rows.end());

    clickRow(list, static_cast<int>(it - rows.begin()));
    QWidget* form2 = topLevel("Form2");
    ASSERT_NE(form2, nullptr);
    EXPECT_EQ(child<QLineEdit>(form2, "Text1")->text(), (*it)[2]);
    EXPECT_EQ(form2->parentWidget(), nullptr);
    EXPECT_FALSE(form2->isModal());
}

TEST_F(Form1Test, AFailingComputerNameQueryIsReportedAndTheWindowStillOpens)
{
    MessageBoxWatcher boxes;
    auto* form = new Form1(table, unreachableWmi);
    form->show();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].title, "Dockwatch");
    EXPECT_EQ(boxes.boxes()[0].text, "Run-time error '-2147023174 (800706ba)':\n\nThe RPC server is unavailable.");
    EXPECT_TRUE(child<QLineEdit>(form, "Text1")->text().isEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(child<QLabel>(form, "Label2")->text().startsWith("Netstat status as of: "));
}

TEST_F(Form1Test, CloseEndsTheProgramWithTheResolverOpen)
{
    auto listener = testsockets::listen();
    auto* form = new Form1(table);
    form->show();
    clickRow(child<QTreeView>(form, "ListView1"), 0);
    ASSERT_NE(topLevel("Form2"), nullptr);

    QTimer::singleShot(0, [&] { QTest::mouseClick(child<QPushButton>(form, "Command2"), Qt::LeftButton); });
    EXPECT_TRUE(testsupport::runUntilProgramEnds());
    QApplication::processEvents();
    EXPECT_EQ(topLevel("Form2"), nullptr);
    EXPECT_EQ(topLevel("Form1"), nullptr);
}

TEST_F(Form1Test, TheCloseBoxLeavesAnOpenResolverRunning)
{
    auto listener = testsockets::listen();
    auto* form = new Form1(table);
    form->show();
    clickRow(child<QTreeView>(form, "ListView1"), 0);
    QWidget* form2 = topLevel("Form2");
    ASSERT_NE(form2, nullptr);

    bool runningAfterMainClosed = false;
    QTimer::singleShot(0, [&] { form->close(); });
    QTimer::singleShot(300, [&] {
        runningAfterMainClosed = topLevel("Form2") != nullptr && topLevel("Form1") == nullptr;
        form2->close();  // the last window: now the program ends
    });
    EXPECT_TRUE(testsupport::runUntilProgramEnds());
    EXPECT_TRUE(runningAfterMainClosed);
}

} // namespace

#include "sweepling/form1.h"
#include "sweepling/form2.h"
#include "sweepling/proc.h"

#include "countingecho.h"
#include "messageboxwatcher.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using sweepling::Form1;
using testsupport::CountingEcho;
using testsupport::MessageBoxWatcher;
using testsupport::processEventsFor;

// The answering hosts of the sweep network, as its own list gives them:
// address -> MAC as the listing writes it ("" for a host behind the router).
std::map<int, QString> answeringHosts()
{
    std::map<int, QString> hosts;
    std::ifstream list(SWEEPNET_HOSTS);
    for (std::string line; std::getline(list, line);) {
        std::istringstream fields(line);
        int octet = 0;
        std::string kind;
        if (line.empty() || line[0] == '#' || !(fields >> octet >> kind) || kind == "arponly")
            continue;
        hosts[octet] = QStringLiteral("02-77-00-00-00-%1").arg(octet, 2, 16, QLatin1Char('0'));
        if (kind == "router")
            hosts[250] = QString();
    }
    return hosts;
}

QString fileText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return QString::fromLatin1(std::string(std::istreambuf_iterator<char>(in), {}));
}

bool logIsOpen()
{
    for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(fd.path(), error).filename() == "arp.log")
            return true;
    }
    return false;
}

class SweeperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        before_ = fs::current_path();
        work_ = fs::temp_directory_path() / ("sweepling-form-" + std::to_string(getpid()));
        fs::remove_all(work_);
        fs::create_directories(work_);
        fs::current_path(work_);
        form_ = new Form1;
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
    }
    void TearDown() override
    {
        if (form_)
            delete form_.data();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<sweepling::Form2*>(w))
                delete w;
        fs::current_path(before_);
        fs::remove_all(work_);
    }

    template <class T>
    T* child(const char* name)
    {
        auto* c = form_->findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(name); }

    // Types the range as a user would, each box entered by a click.
    void setRange(const char* start, const char* end)
    {
        const QStringList s = QString::fromLatin1(start).split(QLatin1Char('.'));
        const QStringList e = QString::fromLatin1(end).split(QLatin1Char('.'));
        const char* names[] = {"ipd1", "ipd2", "ipd3", "ipd4", "ipa1", "ipa2"};
        const QStringList texts = s + e;
        for (int i = 0; i < 6; ++i) {
            QLineEdit* b = box(names[i]);
            QTest::mouseClick(b, Qt::LeftButton);
            processEventsFor(1);
            QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(b, texts[i]);
            EXPECT_EQ(b->text(), texts[i]);
        }
    }
    void go() { QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton); }
    QStringList entries()
    {
        QStringList out;
        QListWidget* list = child<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    QString status() { return child<QStatusBar>("StatusBar1")->currentMessage(); }

    // The entries expected from the sweep network for these last octets of 10.77.0.x.
    static QStringList expectedHosts(int from, int to, bool withTimes, const QStringList& listed)
    {
        QStringList out;
        const auto hosts = answeringHosts();
        for (const auto& [octet, mac] : hosts) {
            if (octet < from || octet > to)
                continue;
            const QString address = QStringLiteral("10.77.0.%1").arg(octet);
            if (!withTimes) {
                out << address + QLatin1Char(';') + mac;
                continue;
            }
            // The time as listed, checked apart; the rest must match exactly.
            QString time = QStringLiteral("?");
            for (const QString& e : listed)
                if (e.startsWith(address + QLatin1Char(';')))
                    time = e.section(QLatin1Char(';'), 1, 1);
            out << address + QLatin1Char(';') + time + QLatin1Char(';') + mac;
        }
        return out;
    }

    QPointer<Form1> form_;
    fs::path work_;
    fs::path before_;
};

TEST_F(SweeperTest, WindowStartsWithItsCaptionTextsAndCaptureScript)
{
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Sweepling WITH MAC ADDRESS"));
    EXPECT_FALSE(form_->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const std::pair<const char*, const char*> texts[] = {{"ipd1", "192"}, {"ipd2", "168"}, {"ipd3", "1"},
                                                        {"ipd4", "2"},   {"ipa1", "1"},   {"ipa2", "254"}};
    for (const auto& [name, text] : texts)
        EXPECT_EQ(box(name)->text(), QLatin1String(text)) << name;
    EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("Start IP"));
    EXPECT_EQ(child<QLabel>("Label2")->text(), QStringLiteral("End IP"));
    EXPECT_EQ(child<QPushButton>("Command1")->text(), QStringLiteral("Go"));
    EXPECT_EQ(child<QPushButton>("Command2")->text(), QStringLiteral("About"));
    EXPECT_FALSE(child<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(child<QCheckBox>("Check1")->toolTip(),
              QStringLiteral("Cocher pour enregistrer les résultats dans un fichier"));
    EXPECT_EQ(form_->palette().color(QPalette::Window), QColor(0, 0, 0x80));
    EXPECT_EQ(child<QListWidget>("List1")->count(), 0);
    EXPECT_TRUE(status().isEmpty());
    QLineEdit* text1 = box("Text1");
    EXPECT_FALSE(text1->isVisible());
    EXPECT_EQ(text1->text(), QStringLiteral("arp -a > arp.txt"));

    // The capture script holds the command exactly, without a line end, and
    // every start writes it anew.
    const std::string script = sweepling::proc::CaptureScriptPath();
    EXPECT_EQ(fileText(script.c_str()), QStringLiteral("arp -a > arp.txt"));
    std::ofstream(script, std::ios::trunc) << "echo changed\n";
    delete form_.data();
    form_ = new Form1;
    EXPECT_EQ(fileText(script.c_str()), QStringLiteral("arp -a > arp.txt"));
}

TEST_F(SweeperTest, WholeBlockListsTheAnsweringHostsInOrderWithTheirMacs)
{
    CountingEcho echo;
    delete form_.data();
    form_ = new Form1(echo);
    form_->show();
    setRange("10.77.0.2", "0.254");
    go();
    std::vector<std::string> block;
    for (int octet = 2; octet <= 254; ++octet)
        block.push_back("10.77.0." + std::to_string(octet));
    EXPECT_EQ(echo.sentTo, block);  // one request each, in ascending order
    EXPECT_EQ(echo.created, 253);
    EXPECT_EQ(echo.closed, 253);

    const QStringList listed = entries();
    EXPECT_EQ(listed, expectedHosts(2, 254, true, listed));
    EXPECT_EQ(listed.size(), 40);
    EXPECT_EQ(status(), QStringLiteral("Complete  40"));
    for (const QString& e : listed) {
        bool number = false;
        const int ms = e.section(QLatin1Char(';'), 1, 1).chopped(2).toInt(&number);
        EXPECT_TRUE(number && e.section(QLatin1Char(';'), 1, 1).endsWith(QLatin1String("ms"))) << e.toStdString();
        if (e.startsWith(QLatin1String("10.77.0.20;"))) {
            EXPECT_TRUE(ms >= 180 && ms < 400) << e.toStdString();
        }
        if (e.startsWith(QLatin1String("10.77.0.21;"))) {
            EXPECT_TRUE(ms >= 480 && ms < 700) << e.toStdString();
        }
    }
    // The ARP-only host is absent, the routed one listed without a MAC (by expectedHosts).
    EXPECT_TRUE(listed.filter(QStringLiteral("10.77.0.30;")).isEmpty());
    EXPECT_EQ(listed.filter(QStringLiteral("10.77.0.250;")).value(0).section(QLatin1Char(';'), 2), QString());
    EXPECT_EQ(form_->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(SweeperTest, RangeIsABlockOfRows)
{
    CountingEcho echo;
    delete form_.data();
    form_ = new Form1(echo);
    form_->show();
    // 10.77.1.0/24 answers whole behind the router, and 10.77.0.253 and .254
    // answer too: only the block's own addresses may show.
    setRange("10.77.0.250", "1.252");
    go();
    EXPECT_EQ(echo.sentTo, (std::vector<std::string>{"10.77.0.250", "10.77.0.251", "10.77.0.252", "10.77.1.250",
                                                     "10.77.1.251", "10.77.1.252"}));
    EXPECT_EQ(echo.created, 6);
    EXPECT_EQ(echo.closed, 6);
    EXPECT_EQ(entries().replaceInStrings(QRegularExpression(QStringLiteral(";\\d+ms;")), QStringLiteral(";")),
              (QStringList{QStringLiteral("10.77.0.250;"), QStringLiteral("10.77.1.250;"),
                           QStringLiteral("10.77.1.251;"), QStringLiteral("10.77.1.252;")}));
    EXPECT_EQ(status(), QStringLiteral("Complete  4"));
}

TEST_F(SweeperTest, EndBelowStartProbesNothing)
{
    CountingEcho echo;
    delete form_.data();
    form_ = new Form1(echo);
    form_->show();
    for (const auto& [start, end] : {std::pair{"10.77.1.2", "0.254"}, std::pair{"10.77.0.10", "0.5"}}) {
        child<QCheckBox>("Check1")->setChecked(true);
        std::ofstream("arp.log") << "old\r\n";
        setRange(start, end);
        go();
        EXPECT_TRUE(entries().isEmpty()) << start;
        EXPECT_EQ(status(), QStringLiteral("Complete  0")) << start;
        EXPECT_TRUE(fs::exists("arp.log") && fs::file_size("arp.log") == 0) << start;
    }
    EXPECT_EQ(echo.created, 0);
}

TEST_F(SweeperTest, LoggingSweepWritesTheAnsweringHostsAndTheNextOneReplacesThem)
{
    child<QCheckBox>("Check1")->setChecked(true);
    setRange("10.77.0.2", "0.12");
    go();
    QString expected;
    for (const QString& line : expectedHosts(2, 12, false, {}))
        expected += line + QStringLiteral("\r\n");
    EXPECT_EQ(fileText("arp.log"), expected);
    EXPECT_EQ(status(), QStringLiteral("Complete  7"));

    setRange("10.77.0.99", "0.101");
    go();
    EXPECT_EQ(fileText("arp.log"), QStringLiteral("10.77.0.99;02-77-00-00-00-63\r\n10.77.0.100;02-77-00-00-00-64\r\n"
                                                  "10.77.0.101;02-77-00-00-00-65\r\n"));
}

TEST_F(SweeperTest, InputDuringASweepLeavesItAlone)
{
    // Ticking the log box, a second "Go" and "About" while the sweep runs.
    setRange("10.77.0.2", "0.60");
    int goClicks = 0;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, form_, [&] {
        child<QCheckBox>("Check1")->setChecked(true);
        if (goClicks++ < 3)
            go();
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    });
    during.start(150);
    go();
    during.stop();
    EXPECT_GE(goClicks, 3);
    EXPECT_FALSE(fs::exists("arp.log"));
    const QStringList listed = entries();
    EXPECT_EQ(listed, expectedHosts(2, 60, true, listed));
    EXPECT_EQ(status(), QStringLiteral("Complete  %1").arg(listed.size()));
}

TEST_F(SweeperTest, ClosingDuringASweepClosesTheWindowOnceTheLogIsClosed)
{
    child<QCheckBox>("Check1")->setChecked(true);
    setRange("10.77.0.2", "0.254");
    bool openAfterClose = false;
    QTimer::singleShot(300, form_, [&] {
        form_->close();
        openAfterClose = form_ && form_->isVisible();
    });
    go();
    EXPECT_TRUE(openAfterClose);
    EXPECT_FALSE(logIsOpen());
    processEventsFor(100);
    EXPECT_TRUE(form_.isNull());

    // What was logged is whole lines of the sweep, in its order.
    QString all;
    for (const QString& line : expectedHosts(2, 254, false, {}))
        all += line + QStringLiteral("\r\n");
    const QString logged = fileText("arp.log");
    EXPECT_TRUE(all.startsWith(logged)) << logged.toStdString();
    EXPECT_TRUE(logged.isEmpty() || logged.endsWith(QLatin1String("\r\n")));
}

TEST_F(SweeperTest, EnteringABoxSelectsItsText)
{
    for (const char* name : {"ipd1", "ipd4", "ipa2"}) {
        QLineEdit* b = box(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(3, b->height() / 2));
        processEventsFor(5);
        EXPECT_EQ(b->selectedText(), b->text()) << name;
        QTest::keyClick(b, Qt::Key_Tab);
        processEventsFor(5);
    }
    QLineEdit* next = box("ipd2");
    box("ipd1")->setFocus();
    QTest::keyClick(box("ipd1"), Qt::Key_Tab);
    processEventsFor(5);
    EXPECT_EQ(next->selectedText(), next->text());
}

TEST_F(SweeperTest, AboutShowsOneAboutWindowAndClosingDestroysIt)
{
    QPushButton* about = child<QPushButton>("Command2");
    QTest::mouseClick(about, Qt::LeftButton);
    auto findForm2 = [] {
        QList<sweepling::Form2*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<sweepling::Form2*>(w))
                found << f;
        return found;
    };
    ASSERT_EQ(findForm2().size(), 1);
    QPointer<sweepling::Form2> first = findForm2().front();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Form2"));
    EXPECT_EQ(first->size(), QSize(250, 150));
    QTest::mouseClick(about, Qt::LeftButton);
    EXPECT_EQ(findForm2().size(), 1);

    first->close();
    processEventsFor(20);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(form_->isVisible());
    QTest::mouseClick(about, Qt::LeftButton);
    ASSERT_EQ(findForm2().size(), 1);
    EXPECT_TRUE(findForm2().front()->isVisible());
}

TEST_F(SweeperTest, OctetsOutsideTheirRangeAreRefusedBeforeAnythingIsProbed)
{
    struct Case {
        const char* box;
        const char* text;
        const char* message;
    };
    MessageBoxWatcher watcher;
    for (const Case& c : std::initializer_list<Case>{
             {"ipd1", "300", "Start IP, part 1: \"300\" is not a number from 0 to 255."},
             {"ipd2", "-1", "Start IP, part 2: \"-1\" is not a number from 0 to 255."},
             {"ipd3", "256", "Start IP, part 3: \"256\" is not a number from 0 to 255."},
             {"ipd4", "1e3", "Start IP, part 4: \"1e3\" is not a number from 0 to 255."},
             {"ipa1", "40000", "End IP, part 3: \"40000\" is not a number from 0 to 255."},
             {"ipa2", "300", "End IP, part 4: \"300\" is not a number from 0 to 255."},
         }) {
        setRange("10.77.0.2", "0.3");
        go();
        ASSERT_EQ(entries().size(), 2);
        box(c.box)->setText(QLatin1String(c.text));
        watcher.clear();
        go();
        ASSERT_TRUE(watcher.waitFor(1)) << c.box;
        EXPECT_EQ(watcher.boxes()[0].text, QLatin1String(c.message));
        EXPECT_EQ(watcher.boxes()[0].icon, QMessageBox::Warning);
        EXPECT_EQ(watcher.boxes()[0].title, QStringLiteral("Sweepling"));
        EXPECT_EQ(entries().size(), 2) << c.box;  // the last sweep's list stays
        EXPECT_EQ(status(), QStringLiteral("Complete  2"));
    }
}

// What the window showed when an error report appeared, before OK was pressed.
struct ReportSeen {
    QString text;
    bool busy = true;
    bool logOpen = true;
};

ReportSeen sweepUntilReport(QWidget* form, const std::function<void()>& go)
{
    ReportSeen seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            seen.text = box->text();
            seen.busy = form->cursor().shape() == Qt::WaitCursor;
            seen.logOpen = logIsOpen();
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(5);
    go();
    processEventsFor(100);
    return seen;
}

TEST_F(SweeperTest, FailuresAreReportedAndALoggingSweepCleansUpFirst)
{
    // No capture script: the first answering host's lookup fails, and the
    // sweep ends at that host, after the silent .5 before it.
    const std::string script = sweepling::proc::CaptureScriptPath();
    fs::remove(script);
    for (bool logs : {false, true}) {
        child<QCheckBox>("Check1")->setChecked(logs);
        setRange("10.77.0.5", "0.12");
        const ReportSeen seen = sweepUntilReport(form_, [this] { go(); });
        EXPECT_EQ(seen.text, QStringLiteral("Run-time error '53':\n\nFile not found: ") + QString::fromStdString(script));
        EXPECT_FALSE(seen.busy);
        EXPECT_FALSE(seen.logOpen);
        EXPECT_TRUE(entries().isEmpty());
        EXPECT_EQ(status(), QStringLiteral("10.77.0.7"));
        EXPECT_EQ(form_->cursor().shape(), Qt::ArrowCursor);
    }
    EXPECT_TRUE(fs::exists("arp.log"));

    // A log that cannot be written: the entry is listed, the sweep ends there.
    delete form_.data();
    form_ = new Form1;
    form_->show();
    fs::remove("arp.log");
    fs::create_symlink("/dev/full", "arp.log");
    child<QCheckBox>("Check1")->setChecked(true);
    setRange("10.77.0.2", "0.5");
    const ReportSeen seen = sweepUntilReport(form_, [this] { go(); });
    EXPECT_TRUE(seen.text.startsWith(QStringLiteral("Run-time error '57':\n\nDevice I/O error: arp.log: ")))
        << seen.text.toStdString();
    EXPECT_FALSE(seen.busy);
    EXPECT_FALSE(seen.logOpen);
    EXPECT_EQ(entries(), expectedHosts(2, 2, true, entries()));
    EXPECT_EQ(status(), QStringLiteral("10.77.0.2"));
}

} // namespace

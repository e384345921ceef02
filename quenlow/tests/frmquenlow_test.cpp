#include "testenv.h"
#include "window.h"

#include "quenlow/settings.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSettings>

#include <sys/stat.h>

#include <functional>

namespace {

using testwindow::Window;

const QString Failed =
    "Connection attempt failed.  This ADO ConnectionString is either not valid, or the data store is unavailable:\r\n\r\nError #:\t";

int fileMode(const QString& path)
{
    struct stat st {};
    return ::stat(path.toLocal8Bit().constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

int connectionsAfterCheck()
{
    // The server notices a closed connection a moment after the client.
    int n = -1;
    for (int i = 0; i < 40 && n != 0; ++i) {
        n = testenv::openConnections();
        if (n)
            testsupport::processEventsFor(50);
    }
    return n;
}

TEST(frmQuenlow, FirstRunOpensEmptyAtTheTopLeftCorner)
{
    testenv::freshSettings();
    Window w;
    EXPECT_EQ(w.form->pos(), QPoint(0, 0));
    EXPECT_TRUE(w.box()->toPlainText().isEmpty());
    EXPECT_EQ(w.form->windowTitle(), "Quenlow");
    EXPECT_EQ(w.form->findChild<QLabel*>("lblMessage")->text(),
              "Use the Get String button to build an ADO ConnectionString in the TextBox below:");
    EXPECT_EQ(w.button("cmdGetString")->text(), "&Get String");
    EXPECT_EQ(w.button("cmdCheck")->text(), "C&heck String");
    EXPECT_EQ(w.button("cmdExit")->text(), "E&xit");
    EXPECT_TRUE(w.form->findChild<QLabel*>("Image1")->pixmap().width() > 0);
    EXPECT_FALSE(w.form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w.form->minimumSize(), w.form->maximumSize());
}

TEST(frmQuenlow, EveryWayOfClosingSavesThePlaceAndTheStringForTheNextRun)
{
    // Commas, braces, semicolons and a second line survive the INI file.
    const QString s = "Driver={SQLite3};Database=/tmp/a, b.db;PWD={x;y}}z}\nsecond=line";
    const std::pair<const char*, std::function<void(Window&)>> ways[] = {
        {"Esc", [](Window& w) { QTest::keyClick(w.box(), Qt::Key_Escape); }},
        {"Exit", [](Window& w) { w.click("cmdExit"); }},
        {"close box", [](Window& w) { w.form->close(); }},
    };
    for (const auto& [how, closeIt] : ways) {
        SCOPED_TRACE(how);
        testenv::freshSettings();
        {
            Window w;
            w.form->move(123, 45);
            w.box()->setPlainText(s);
            closeIt(w);
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(w.form.isNull());
        }
        const QString path = quenlow::settings::filePath();
        QSettings ini(path, QSettings::IniFormat);
        EXPECT_EQ(ini.value("Window/Top").toString(), "45");
        EXPECT_EQ(ini.value("Window/Left").toString(), "123");
        EXPECT_EQ(ini.value("Options/LastADOString").toString(), s);
        EXPECT_EQ(fileMode(path), 0600);

        Window again;
        EXPECT_EQ(again.form->pos(), QPoint(123, 45));
        EXPECT_EQ(again.box()->toPlainText(), s);
    }
}

TEST(frmQuenlow, AStoredPositionThatIsNoNumberOpensAtTheTopLeftCorner)
{
    for (const char* top : {"abc", "", "12x"}) {
        testenv::freshSettings();
        quenlow::settings::write("Window", "Top", top);
        quenlow::settings::write("Window", "Left", "200");
        quenlow::settings::write("Options", "LastADOString", "DSN=QuenlowFile");
        Window w;
        EXPECT_EQ(w.form->pos(), QPoint(0, 0)) << top;
        EXPECT_EQ(w.box()->toPlainText(), "DSN=QuenlowFile");
    }
}

TEST(frmQuenlow, ASaveThatFailsIsReportedAndTheWindowStillCloses)
{
    testenv::freshSettings();
    // A file where the settings folder should be: nothing can be written.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    QFile blocker(testenv::root() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", (testenv::root() + "/blocked/config").toLocal8Bit());
    testsupport::MessageBoxWatcher boxes;
    {
        Window w;
        w.click("cmdExit");
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.form.isNull());
    }
    qputenv("XDG_CONFIG_HOME", config);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].title, "Quenlow");
    EXPECT_TRUE(boxes.boxes()[0].text.contains("cannot be created")) << qPrintable(boxes.boxes()[0].text);
}

TEST(frmQuenlow, ChecksAgainstRealDatabasesAndLeavesNoConnectionOpen)
{
    Window w;
    const QString file = testenv::makeSqliteFile("ok.db");
    const QString strings[] = {"Driver=SQLite3;Database=" + file, QString::fromStdString(testenv::postgresString())};
    for (const QString& s : strings) {
        const auto seen = w.check(s);
        EXPECT_EQ(seen.text, "This ADO ConnectionString is valid.") << qPrintable(s);
        EXPECT_EQ(seen.title, "Check ADO String:");
        EXPECT_EQ(seen.icon, QMessageBox::Information);
        EXPECT_EQ(w.box()->toPlainText(), s);  // a check never changes the box
    }
    EXPECT_EQ(connectionsAfterCheck(), 0);
}

TEST(frmQuenlow, FailedChecksShowTheDriversNumberAndWords)
{
    const auto& pg = testenv::postgres();
    auto pgWith = [&](const std::string& port, const std::string& database, const std::string& password) {
        return QString::fromStdString("Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=" + port + ";Database=" + database
                                      + ";UID=" + pg.user + ";PWD=" + password);
    };
    testenv::SilentServer silent;
    const QString missing = testenv::root() + "/missing.db";
    struct Case {
        QString string;
        int number;     // the native error of the driver or driver manager
        QString words;  // in the description
    } cases[] = {
        {"", 0, "[IM002] Data source name not found"},
        {"Driver={No Such Driver};Database=x", 0, "[01000] [unixODBC][Driver Manager]Can't open lib 'No Such Driver'"},
        {pgWith(pg.port, pg.database, "wrong"), 101, "[08001] connection to server at \"127.0.0.1\", port " + QString::fromStdString(pg.port) + " failed: FATAL:  password authentication failed"},
        {pgWith(std::to_string(testenv::closedPort()), pg.database, pg.password), 101, "Connection refused"},
        {pgWith(pg.port, "nosuchdb", pg.password), 101, "database \"nosuchdb\" does not exist"},
        {pgWith(std::to_string(silent.port()), pg.database, pg.password), 101, "timeout expired"},
        {"Driver=SQLite3;Database=" + missing, 14, "[HY000] [SQLite]connect failed"},
    };
    Window w;
    for (const Case& c : cases) {
        QElapsedTimer t;
        t.start();
        const auto seen = w.check(c.string);
        EXPECT_LT(t.elapsed(), 15000) << qPrintable(c.string);
        EXPECT_EQ(seen.title, "Check ADO String:");
        EXPECT_EQ(seen.icon, QMessageBox::Warning) << qPrintable(c.string);
        EXPECT_TRUE(seen.text.startsWith(Failed + QString::number(c.number) + "\r\nMessage:\t[")) << qPrintable(seen.text);
        EXPECT_TRUE(seen.text.contains(c.words, Qt::CaseInsensitive)) << qPrintable(seen.text);
        EXPECT_EQ(w.box()->toPlainText(), c.string);
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(connectionsAfterCheck(), 0);
}

} // namespace

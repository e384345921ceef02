#include "testenv.h"
#include "window.h"

#include "quenlow/settings.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSettings>

namespace {

using testwindow::Window;

const QString Failed =
    "Connection attempt failed.  This ADO ConnectionString is either not valid, or the data store is unavailable:\r\n\r\nError #:\t";

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
        QString words;  // in the description
    } cases[] = {
        {"", "[IM002] Data source name not found"},
        {"Driver={No Such Driver};Database=x", "[01000]"},
        {pgWith(pg.port, pg.database, "wrong"), "password authentication failed"},
        {pgWith(std::to_string(testenv::closedPort()), pg.database, pg.password), "Connection refused"},
        {pgWith(pg.port, "nosuchdb", pg.password), "database \"nosuchdb\" does not exist"},
        {pgWith(std::to_string(silent.port()), pg.database, pg.password), "timeout"},
        {"Driver=SQLite3;Database=" + missing, "[HY000]"},
    };
    Window w;
    for (const Case& c : cases) {
        QElapsedTimer t;
        t.start();
        const auto seen = w.check(c.string);
        EXPECT_LT(t.elapsed(), 15000) << qPrintable(c.string);
        EXPECT_EQ(seen.title, "Check ADO String:");
        EXPECT_EQ(seen.icon, QMessageBox::Warning) << qPrintable(c.string);
        EXPECT_TRUE(seen.text.startsWith(Failed)) << qPrintable(seen.text);
        EXPECT_TRUE(seen.text.contains("\r\nMessage:\t[")) << qPrintable(seen.text);
        EXPECT_TRUE(seen.text.contains(c.words, Qt::CaseInsensitive)) << qPrintable(seen.text);
        EXPECT_EQ(w.box()->toPlainText(), c.string);
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(connectionsAfterCheck(), 0);
}

} // namespace

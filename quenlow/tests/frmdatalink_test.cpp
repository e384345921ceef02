#include "testenv.h"
#include "window.h"

#include "quenlow/frmdatalink.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include <functional>

namespace {

using quenlow::frmDataLink;
using testwindow::Window;

template <class T>
T* child(QWidget* w, const char* name)
{
    return w->findChild<T*>(QLatin1String(name));
}

// Presses Get String (by Enter in the box, as a user would) and acts on the
// dialog from inside its event loop; returns once the dialog has closed.
void getString(Window& w, const std::function<void(frmDataLink*)>& act)
{
    bool seen = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* d = w.form->findChild<frmDataLink*>();
        if (!d || !d->isVisible() || seen)
            return;
        seen = true;
        timer.stop();
        EXPECT_TRUE(d->isModal());
        EXPECT_EQ(d->parentWidget(), w.form.data());
        act(d);
        if (d->isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            d->reject();
        }
    });
    timer.start();
    QTest::keyClick(w.box(), Qt::Key_Return);
    EXPECT_TRUE(seen);
}

void press(frmDataLink* d, const char* button) { QTest::mouseClick(child<QPushButton>(d, button), Qt::LeftButton); }

void choose(QComboBox* box, const QString& item)
{
    const int i = box->findText(item);
    ASSERT_GE(i, 0) << qPrintable(item);
    QTest::keyClick(box, Qt::Key_Home);
    for (int n = 0; n < i; ++n)
        QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->currentText(), item);
}

void retype(QLineEdit* field, const QString& text)
{
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

TEST(frmDataLink, BuildsANewConnectionThatTheServerAccepts)
{
    const auto& pg = testenv::postgres();
    Window w;
    w.box()->clear();
    getString(w, [&](frmDataLink* d) {
        auto* drivers = child<QComboBox>(d, "cboDriver");
        EXPECT_EQ(drivers->currentIndex(), -1);  // a new connection starts empty
        EXPECT_GE(child<QComboBox>(d, "cboDataSource")->findText("QuenlowFile"), 0);
        choose(drivers, "PostgreSQL Unicode");
        retype(child<QLineEdit>(d, "fldServer"), QString::fromStdString(pg.host));
        retype(child<QLineEdit>(d, "fldPort"), QString::fromStdString(pg.port));
        retype(child<QLineEdit>(d, "fldDatabase"), QString::fromStdString(pg.database));
        retype(child<QLineEdit>(d, "fldUID"), QString::fromStdString(pg.bracesUser));
        auto* pwd = child<QLineEdit>(d, "fldPWD");
        EXPECT_EQ(pwd->echoMode(), QLineEdit::Password);
        retype(pwd, QString::fromStdString(pg.bracesPassword));
        QTest::keyClicks(child<QPlainTextEdit>(d, "txtOther"), "ApplicationName=Quenlow; check");
        const QString preview = child<QPlainTextEdit>(d, "txtPreview")->toPlainText();
        EXPECT_TRUE(preview.startsWith("Driver={PostgreSQL Unicode};Server=")) << qPrintable(preview);
        EXPECT_FALSE(preview.contains(QString::fromStdString(pg.bracesPassword)));
        press(d, "cmdOK");
    });
    EXPECT_EQ(w.box()->toPlainText().toStdString(), "Driver={PostgreSQL Unicode};Server=" + pg.host + ";Port=" + pg.port + ";Database="
                                                        + pg.database + ";UID=" + pg.bracesUser
                                                        + ";PWD={p;w}}d={x};ApplicationName={Quenlow; check}");
    EXPECT_EQ(w.check(w.box()->toPlainText()).text, "This ADO ConnectionString is valid.");
}

TEST(frmDataLink, OpensOnTheBoxsStringAndGivesItBackUnchanged)
{
    const char* const strings[] = {
        "DRIVER={PostgreSQL Unicode};server=db.example;Port=5433;Database=x;uid=me;pwd={p;w}}d};ApplicationName=Quenlow test;Pooling",
        "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=5432;Database=db;UID=u;PWD={p;w}}d=1{x}",
        "DSN=QuenlowFile;UID=Admin;PWD={a;b};",
        "dsn=QuenlowFile;uid=A;pwd=b",
        "DRIVER=SQLite3;DATABASE=/tmp/a b.db;NOCREAT=1;",
        "Driver={Gone Driver};Server=x;;Extra={a=b}",
        "  Server = host ;Port=1",
    };
    Window w;
    for (const char* s : strings) {
        w.box()->setPlainText(s);
        getString(w, [&](frmDataLink* d) { press(d, "cmdOK"); });
        EXPECT_EQ(w.box()->toPlainText(), s);
    }

    w.box()->setPlainText(strings[0]);
    getString(w, [&](frmDataLink* d) {
        EXPECT_TRUE(child<QRadioButton>(d, "optDriver")->isChecked());
        EXPECT_EQ(child<QComboBox>(d, "cboDriver")->currentText(), "PostgreSQL Unicode");
        EXPECT_EQ(child<QLineEdit>(d, "fldServer")->text(), "db.example");
        EXPECT_EQ(child<QLineEdit>(d, "fldPWD")->text(), "p;w}d");
        EXPECT_EQ(child<QPlainTextEdit>(d, "txtOther")->toPlainText(), "ApplicationName=Quenlow test\nPooling\n");
        press(d, "cmdCancel");
    });
    w.box()->setPlainText(strings[2]);
    getString(w, [&](frmDataLink* d) {
        EXPECT_TRUE(child<QRadioButton>(d, "optDataSource")->isChecked());
        EXPECT_EQ(child<QComboBox>(d, "cboDataSource")->currentText(), "QuenlowFile");
        EXPECT_EQ(child<QLineEdit>(d, "fldUID")->text(), "Admin");
        press(d, "cmdCancel");
    });
    w.box()->setPlainText(strings[5]);
    getString(w, [&](frmDataLink* d) {
        EXPECT_EQ(child<QComboBox>(d, "cboDriver")->currentText(), "Gone Driver");
        press(d, "cmdCancel");
    });
}

TEST(frmDataLink, CancelLeavesTheBoxAsItWas)
{
    Window w;
    for (const char* s : {"", "Driver=SQLite3;Database=/tmp/x.db"}) {
        w.box()->setPlainText(s);
        getString(w, [&](frmDataLink* d) {
            choose(child<QComboBox>(d, "cboDriver"), "SQLite3");
            retype(child<QLineEdit>(d, "fldDatabase"), "/tmp/other.db");
            press(d, "cmdCancel");
        });
        EXPECT_EQ(w.box()->toPlainText(), s);
    }
}

TEST(frmDataLink, ChangesOnlyWhatTheUserChanges)
{
    Window w;
    w.box()->setPlainText("Driver=SQLite3;Database=/tmp/x.db;Foo=1;bar={a;b}");
    getString(w, [&](frmDataLink* d) {
        retype(child<QLineEdit>(d, "fldDatabase"), "/tmp/y;z.db");
        auto* other = child<QPlainTextEdit>(d, "txtOther");
        other->selectAll();
        QTest::keyClicks(other, "bar=a;b");
        QTest::keyClick(other, Qt::Key_Return);
        QTest::keyClicks(other, "New=2");
        press(d, "cmdOK");
    });
    EXPECT_EQ(w.box()->toPlainText(), "Driver=SQLite3;Database={/tmp/y;z.db};bar={a;b};New=2");

    // From a driver to a data source: the driver goes, the rest stays.
    getString(w, [&](frmDataLink* d) {
        QTest::mouseClick(child<QRadioButton>(d, "optDataSource"), Qt::LeftButton);
        choose(child<QComboBox>(d, "cboDataSource"), "QuenlowFile");
        press(d, "cmdOK");
    });
    EXPECT_EQ(w.box()->toPlainText(), "DSN=QuenlowFile;Database={/tmp/y;z.db};bar={a;b};New=2");
}

} // namespace

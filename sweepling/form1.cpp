#include "form1.h"

#include "form2.h"
#include "pictures.h"
#include "probequeue.h"
#include "variables.h"

#include "ui/busypointer.h"
#include "ui/errors.h"
#include "ui/look.h"
#include "ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>

namespace sweepling {
namespace {

// A value outside 0 to 255 in an address box, refused with a message that names the box.
struct OctetRefused {
    QString message;
};

// The log of one sweep; closed on every way out of it.
class LogFile {
public:
    LogFile() = default;
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile()
    {
        if (file_)
            std::fclose(file_);
    }

    void open(const char* path)
    {
        file_ = std::fopen(path, "wb");
        if (!file_)
            throw ads::Error(75, std::string("Path/File access error: ") + path + ": " + std::strerror(errno));
        path_ = path;
    }
    bool isOpen() const { return file_ != nullptr; }

    void write(const QByteArray& line)
    {
        if (std::fwrite(line.constData(), 1, std::size_t(line.size()), file_) != std::size_t(line.size())
            || std::fflush(file_) != 0)
            throw ads::Error(57, "Device I/O error: " + path_ + ": " + std::strerror(errno));
    }

    void close()
    {
        std::FILE* f = std::exchange(file_, nullptr);
        if (f && std::fclose(f) != 0)
            throw ads::Error(57, "Device I/O error: " + path_ + ": " + std::strerror(errno));
    }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
};

// A box read as a number: its leading numeric part with blanks ignored, 0
// when it has none, rounded half to even.
double boxValue(const QString& text)
{
    QString s = text;
    s.remove(QRegularExpression(QStringLiteral("[ \\t\\r\\n]")));
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?"));
    const QRegularExpressionMatch m = number.match(s);
    if (!m.hasMatch())
        return 0;
    QString digits = m.captured(0);
    digits.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    return std::nearbyint(digits.toDouble());
}

QString boxCaption(const QString& name)
{
    if (name.startsWith(QLatin1String("ipd")))
        return QStringLiteral("Start IP, part ") + name.mid(3);
    return QStringLiteral("End IP, part ") + QString::number(name.mid(3).toInt() + 2);
}

// Str() of a non-negative number: a leading blank where a sign would stand.
QString str(int n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QLineEdit* addressBox(const char* name, const char* text)
{
    auto* box = new QLineEdit(QLatin1String(text));
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(44);
    ui::setBackground(box, QApplication::palette().color(QPalette::ToolTipBase));
    return box;
}

QLabel* addressLabel(const char* name, const char* text)
{
    auto* label = new QLabel(QLatin1String(text));
    label->setObjectName(QLatin1String(name));
    ui::styleBorderedLabel(label);
    label->setAlignment(Qt::AlignCenter);
    ui::setBackground(label, ui::vbColor(ui::colors::LightGrey));
    ui::setForeground(label, ui::vbColor(ui::colors::Navy));
    label->setFont(ui::suiteFont(9));
    return label;
}

QLabel* iconLabel(const char* name)
{
    auto* l = new QLabel;
    l->setObjectName(QLatin1String(name));
    l->setPixmap(ProgramIcon(32));
    return l;
}

} // namespace

Form1::Form1(echo::EchoService& echo, std::uint32_t echoWaitMs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      echo_(echo), echoWaitMs_(echoWaitMs)
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Sweepling WITH MAC ADDRESS"));
    setWindowIcon(QIcon(ProgramIcon(32)));
    ui::setBackground(this, ui::vbColor(ui::colors::Navy));
    createControls();
    setFixedSize(sizeHint().expandedTo(QSize(470, 400)));
    Form_Load();
}

void Form1::createControls()
{
    Image1 = iconLabel("Image1");
    Label1 = addressLabel("Label1", "Start IP");
    ipd1 = addressBox("ipd1", "192");
    ipd2 = addressBox("ipd2", "168");
    ipd3 = addressBox("ipd3", "1");
    ipd4 = addressBox("ipd4", "2");
    Image2 = iconLabel("Image2");
    Command1 = ui::graphicalButton(QStringLiteral("Go"), QStringLiteral("Command1"));
    QFont goFont = ui::suiteFont(9);
    goFont.setItalic(true);
    Command1->setFont(goFont);
    Command2 = ui::graphicalButton(QStringLiteral("About"), QStringLiteral("Command2"));
    Label2 = addressLabel("Label2", "End IP");
    ipa1 = addressBox("ipa1", "1");
    ipa2 = addressBox("ipa2", "254");
    Check1 = new QCheckBox;
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(QStringLiteral("Cocher pour enregistrer les résultats dans un fichier"));
    // Its box is drawn in the base colour, which the navy window would lend it.
    QPalette tick = Check1->palette();
    tick.setColor(QPalette::Base, ui::vbColor(ui::colors::White));
    Check1->setPalette(tick);

    Shape1 = new QFrame;
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { background: #e0e0e0; border: 3px solid white; }"));
    List1 = new QListWidget;
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSortingEnabled(false);
    ui::setBackground(List1, QApplication::palette().color(QPalette::ToolTipBase));
    auto* panel = new QVBoxLayout(Shape1);
    panel->setContentsMargins(10, 10, 10, 10);
    panel->addWidget(List1);

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    ui::setBackground(StatusBar1, ui::vbColor(ui::colors::LightGrey));

    Text1 = new QLineEdit(QStringLiteral("arp -a > arp.txt"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->hide();

    auto* grid = new QGridLayout;
    grid->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(ipd1, 0, 2);
    grid->addWidget(ipd2, 0, 3);
    grid->addWidget(ipd3, 0, 4);
    grid->addWidget(ipd4, 0, 5);
    grid->addWidget(Image2, 0, 6, 2, 1, Qt::AlignTop);
    grid->addWidget(Command1, 0, 7);
    grid->addWidget(Command2, 0, 8);
    grid->addWidget(Label2, 1, 2, 1, 2);
    grid->addWidget(ipa1, 1, 4);
    grid->addWidget(ipa2, 1, 5);
    grid->addWidget(Check1, 1, 7, 1, 2, Qt::AlignCenter);
    grid->setColumnStretch(6, 1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 8, 0, 0);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 8);
    body->addLayout(grid);
    body->addWidget(Shape1, 1);
    page->addLayout(body, 1);
    page->addWidget(StatusBar1);

    for (QLineEdit* box : {ipd1, ipd2, ipd3, ipd4, ipa1, ipa2})
        box->installEventFilter(this);
    ui::handle(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    ui::handle(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

void Form1::Form_Load()
{
    // A script that cannot be written shows later, as the first lookup's error.
    WriteTextFile(QString::fromStdString(proc::CaptureScriptPath()), Text1->text());
}

bool Form1::WriteTextFile(const QString& path, const QString& content)
{
    bool ok = false;
    ui::resumeNext([&] {
        if (path.isEmpty())
            return;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        const QByteArray bytes = content.toLatin1();
        ok = file.write(bytes) == bytes.size();
        ok = file.flush() && ok;
        file.close();
    });
    return ok;
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == ipd1)
            ipd1_GotFocus();
        else if (watched == ipd2)
            ipd2_GotFocus();
        else if (watched == ipd3)
            ipd3_GotFocus();
        else if (watched == ipd4)
            ipd4_GotFocus();
        else if (watched == ipa1)
            ipa1_GotFocus();
        else if (watched == ipa2)
            ipa2_GotFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::SelectWhole(QLineEdit* box)
{
    // After the click that gave the focus, which would place the cursor.
    QTimer::singleShot(0, box, [box] { box->setSelection(0, int(box->text().size())); });
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A running sweep ends at its next address, closes its log, and then the window closes.
    if (sweeping_) {
        closeWhenSwept_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void Form1::CloseAfterSweep()
{
    // Not under the sweep's own error report, which the window owns.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(50, this, &Form1::CloseAfterSweep);
        return;
    }
    close();
}

// "Go": the sweep.
void Form1::Command1_Click()
{
    // One sweep at a time: a click during a sweep leaves it alone.
    if (sweeping_ || !OctetsInRange())
        return;
    sweeping_ = true;
    const auto swept = qScopeGuard([this] {
        sweeping_ = false;
        if (closeWhenSwept_)
            QTimer::singleShot(0, this, &Form1::CloseAfterSweep);
    });

    List1->clear();
    const bool logs = Check1->isChecked();
    try {
        Sweep(logs);
    } catch (const OctetRefused& refused) {
        ui::msgBox(this, refused.message, ui::Icon::Exclamation);
    } catch (...) {
        // A logging sweep traps its errors; it reports them once its log is
        // closed and the pointer is back. Any other sweep leaves them unhandled.
        if (!logs)
            throw;
        ui::showErrorReport(this, ui::toError(std::current_exception()));
    }
}

bool Form1::OctetsInRange()
{
    try {
        for (QLineEdit* box : {ipd1, ipd2, ipd3, ipd4, ipa1, ipa2})
            BoxNumber(box);
    } catch (const OctetRefused& refused) {
        ui::msgBox(this, refused.message, ui::Icon::Exclamation);
        return false;
    }
    return true;
}

int Form1::BoxNumber(QLineEdit* box)
{
    const double value = boxValue(box->text());
    if (value < 0 || value > 255)
        throw OctetRefused{boxCaption(box->objectName()) + QStringLiteral(": \"") + box->text().trimmed()
                           + QStringLiteral("\" is not a number from 0 to 255.")};
    return int(value);
}

void Form1::Sweep(bool logs)
{
    std::optional<ui::BusyPointer> busy(std::in_place, this);
    int counter = 0;
    std::int16_t ttl = 30;
    LogFile log;
    if (logs)
        log.open("arp.log");
    ProbeQueue probes(echo_, echoWaitMs_);

    // The addresses in probing order: the third-octet bounds read once, the
    // fourth-octet bounds anew for every third-octet value, the first two
    // octets anew for every address.
    const int thirdFrom = BoxNumber(ipd3);
    const int thirdTo = BoxNumber(ipa1);
    int third = thirdFrom;
    int fourth = 0;
    int fourthTo = -1;
    bool rowRead = false;
    const auto nextAddress = [&]() -> std::optional<std::string> {
        while (third <= thirdTo) {
            if (!rowRead) {
                fourth = BoxNumber(ipd4);
                fourthTo = BoxNumber(ipa2);
                rowRead = true;
            }
            if (fourth <= fourthTo) {
                BoxNumber(ipd1);
                BoxNumber(ipd2);
                const QString address = ipd1->text() + QLatin1Char('.') + ipd2->text() + QLatin1Char('.')
                                        + QString::number(third) + QLatin1Char('.') + QString::number(fourth++);
                return address.toStdString();
            }
            ++third;
            rowRead = false;
        }
        return std::nullopt;
    };

    // Many requests are in flight at once; their outcomes are taken in the
    // order they were sent, so the list, log, status and count read as if
    // each address had been probed alone. While the oldest request waits,
    // hosts that have answered since get their ARP capture, each its own and
    // each after its reply; a failed capture counts when its host's turn comes.
    const auto lookUpMac = [](Probe& probe) {
        try {
            probe.mac = proc::GetMacAddress(probe.address, [] { QApplication::processEvents(); });
        } catch (...) {
            probe.macError = std::current_exception();
        }
        probe.macLooked = true;
    };
    bool more = true;
    bool captureFailed = false;
    while (!closeWhenSwept_) {
        while (more && !probes.full()) {
            const std::optional<std::string> address = nextAddress();
            if (!address) {
                more = false;
                break;
            }
            probes.send(*address, ttl);
        }
        if (probes.empty())
            break;

        Probe& probe = probes.head();
        variables::CurrentAddress = probe.address;
        const QString address = QString::fromStdString(probe.address);
        StatusBar1->showMessage(address);
        QApplication::processEvents();
        while (!probes.headDone() && !closeWhenSwept_) {
            if (Probe* answered = captureFailed ? nullptr : probes.answeredAwaitingMac()) {
                lookUpMac(*answered);
                captureFailed = bool(answered->macError);
            } else {
                probes.wait(20);
            }
            QApplication::processEvents();
        }
        if (!probes.headDone())
            break;
        if (probe.reply.Status == echo::IP_SUCCESS) {
            if (!probe.macLooked)
                lookUpMac(probe);
            if (probe.macError)
                std::rethrow_exception(probe.macError);
            variables::CurrentMac = probe.mac;
            const QString mac = QString::fromStdString(variables::CurrentMac);
            List1->addItem(address + QLatin1Char(';') + QString::number(probe.reply.RoundTripTime)
                           + QStringLiteral("ms;") + mac);
            if (logs)
                log.write((address + QLatin1Char(';') + mac + QStringLiteral("\r\n")).toLatin1());
            ++counter;
            QApplication::processEvents();
            List1->update();
        }
        probes.pop();
    }

    busy.reset();
    StatusBar1->showMessage(QStringLiteral("Complete ") + str(counter));
    if (logs)
        log.close();
}

// "About": the about window, not modal; the open one is shown again.
void Form1::Command2_Click()
{
    if (!form2_)
        form2_ = new Form2;
    form2_->show();
    form2_->raise();
}

} // namespace sweepling

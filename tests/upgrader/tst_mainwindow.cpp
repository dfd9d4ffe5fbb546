// The main window as built: the form's tree, texts and initial state, the port list, and the
// Connect button when no device can be reached.

#include "snpupgrader.h"
#include "snpupgraderprobe.h"
#include "temphome.h"
#include "ui_snpupgrader.h"

#include <QAccessible>
#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSerialPortInfo>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void widgetKinds_data();
    void widgetKinds();
    void layoutPlacement_data();
    void layoutPlacement();
    void layoutSpacing();
    void texts_data();
    void texts();
    void formAsBuiltBySetupUi();
    void windowAfterConstruction();
    void logBoxIsReadOnly();
    void portListIsTheSystemsWithoutExtraPorts();
    void extraPortsAreAppended();
    void connectWithoutPortChosen();
    void connectToPortThatCannotOpen();
    void focusableElementsHaveNames();
    void controlsAreNamedAndDescribed();
    void tabFollowsReadingOrder();
    void progressIsReadable();

private:
    template<typename T>
    T *child(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    QStringList logLines() const;

    TempHome *m_home = nullptr;
    SNPUpgrader *m_window = nullptr;
};

void tst_MainWindow::init()
{
    m_home = new TempHome;
    qunsetenv("SNP300_SERIAL_PORTS");
    m_window = new SNPUpgrader;
}

void tst_MainWindow::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_home;
    m_home = nullptr;
    qunsetenv("SNP300_SERIAL_PORTS");
}

QStringList tst_MainWindow::logLines() const
{
    const QString text = child<QTextEdit>("usbTxtLog")->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void tst_MainWindow::widgetKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    // The tab pages are reparented to the tab widget's stack.
    const QString stack = "qt_tabwidget_stackedwidget";
    const QList<QStringList> rows = {
        { "centralWidget", "QWidget", "SNPUpgrader" },
        { "tabWidget", "QTabWidget", "centralWidget" },
        { "usbTab", "QWidget", stack },
        { "label", "QLabel", "usbTab" },
        { "usbCmbSerialPort", "QComboBox", "usbTab" },
        { "usbBtnSerialPortRefresh", "QPushButton", "usbTab" },
        { "usbBtnConnect", "QPushButton", "usbTab" },
        { "usbBtnUpgrade", "QPushButton", "usbTab" },
        { "usbProgressBar", "QProgressBar", "usbTab" },
        { "usbTxtLog", "QTextEdit", "usbTab" },
        { "bleTab", "QWidget", stack },
        { "bleScanDevices", "QPushButton", "bleTab" },
        { "bleDeviceList", "QListWidget", "bleTab" },
        { "bleBtnConnect", "QPushButton", "bleTab" },
        { "bleBtnDisconnect", "QPushButton", "bleTab" },
        { "bleBtnReconnect", "QPushButton", "bleTab" },
        { "bleBtn022", "QPushButton", "bleTab" },
        { "bleBtn02", "QPushButton", "bleTab" },
        { "bleBtnVersion", "QPushButton", "bleTab" },
        { "bleBtnUpgrade", "QPushButton", "bleTab" },
        { "bleProgressBar", "QProgressBar", "bleTab" },
        { "bleTxtLog", "QTextEdit", "bleTab" },
        { "label_3", "QLabel", "centralWidget" },
    };
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row.at(0))) << row.at(0) << row.at(1) << row.at(2);
}

void tst_MainWindow::widgetKinds()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QWidget *widget = m_window->findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(QString(widget->metaObject()->className()), kind);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
}

void tst_MainWindow::layoutPlacement_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QStringList>("items"); // widget or layout names in order; "" = spacer
    QTest::newRow("verticalLayout") << "verticalLayout" << QStringList { "tabWidget", "label_3" };
    QTest::newRow("verticalLayout_3") << "verticalLayout_3" << QStringList { "verticalLayout_2" };
    QTest::newRow("verticalLayout_2")
        << "verticalLayout_2"
        << QStringList { "horizontalLayout", "horizontalLayout_2", "usbProgressBar", "usbTxtLog" };
    QTest::newRow("horizontalLayout")
        << "horizontalLayout"
        << QStringList { "label", "usbCmbSerialPort", "usbBtnSerialPortRefresh", "usbBtnConnect",
                         "" };
    QTest::newRow("horizontalLayout_2") << "horizontalLayout_2" << QStringList { "usbBtnUpgrade" };
    QTest::newRow("verticalLayout_4")
        << "verticalLayout_4"
        << QStringList { "verticalLayout_5",   "verticalLayout_7", "horizontalLayout_5",
                         "horizontalLayout_3", "bleProgressBar",   "bleTxtLog" };
    QTest::newRow("verticalLayout_5")
        << "verticalLayout_5" << QStringList { "bleScanDevices", "bleDeviceList" };
    QTest::newRow("verticalLayout_7")
        << "verticalLayout_7" << QStringList { "bleBtnConnect", "bleBtnDisconnect" };
    QTest::newRow("horizontalLayout_5")
        << "horizontalLayout_5"
        << QStringList { "bleBtnReconnect", "bleBtn022", "bleBtn02", "bleBtnVersion" };
    QTest::newRow("horizontalLayout_3") << "horizontalLayout_3" << QStringList { "bleBtnUpgrade" };
}

void tst_MainWindow::layoutPlacement()
{
    QFETCH(QString, layout);
    QFETCH(QStringList, items);
    auto *box = m_window->findChild<QBoxLayout *>(layout);
    QVERIFY2(box, qPrintable(layout));
    QCOMPARE(box->count(), items.size());
    for (int i = 0; i < items.size(); ++i) {
        QLayoutItem *item = box->itemAt(i);
        QCOMPARE(box->stretch(i), 0);
        QCOMPARE(item->alignment(), Qt::Alignment());
        if (items.at(i).isEmpty()) {
            QSpacerItem *spacer = item->spacerItem();
            QVERIFY(spacer);
            QCOMPARE(spacer->sizeHint(), QSize(40, 20));
            QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
            QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);
        } else if (item->widget()) {
            QCOMPARE(item->widget()->objectName(), items.at(i));
        } else {
            QVERIFY(item->layout());
            QCOMPARE(item->layout()->objectName(), items.at(i));
        }
    }
}

void tst_MainWindow::layoutSpacing()
{
    const QStringList framed = { "verticalLayout", "verticalLayout_3", "verticalLayout_4" };
    for (QBoxLayout *box : m_window->findChildren<QBoxLayout *>()) {
        if (box->objectName().isEmpty())
            continue; // layouts of Qt's own widgets
        QCOMPARE(box->spacing(), 6);
        if (framed.contains(box->objectName()))
            QCOMPARE(box->contentsMargins(), QMargins(11, 11, 11, 11));
    }
    QCOMPARE(
        m_window->findChildren<QBoxLayout *>(QRegularExpression("^(vertical|horizontal)")).size(),
        10);
}

void tst_MainWindow::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("label") << "label"
                           << "Serial Port:";
    QTest::newRow("refresh") << "usbBtnSerialPortRefresh"
                             << "Detect Ports";
    QTest::newRow("connect") << "usbBtnConnect"
                             << "Connect";
    QTest::newRow("upgrade") << "usbBtnUpgrade"
                             << "Upgrade SNP300...";
    QTest::newRow("scan") << "bleScanDevices"
                          << "SCAN";
    QTest::newRow("ble connect") << "bleBtnConnect"
                                 << "Connect";
    QTest::newRow("ble disconnect") << "bleBtnDisconnect"
                                    << "Disconnect";
    QTest::newRow("reconnect") << "bleBtnReconnect"
                               << "reconnect";
    QTest::newRow("re0x02") << "bleBtn022"
                            << "re0x02";
    QTest::newRow("0x02") << "bleBtn02"
                          << "0x02";
    QTest::newRow("version") << "bleBtnVersion"
                             << "VERSION";
    QTest::newRow("ble upgrade") << "bleBtnUpgrade"
                                 << "UPGRADE";
    QTest::newRow("label_3") << "label_3" << QString::fromUtf8("Corvane\xC2\xAE");
}

void tst_MainWindow::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QWidget *widget = m_window->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->property("text").toString(), text);
}

void tst_MainWindow::formAsBuiltBySetupUi()
{
    QMainWindow unnamed;
    Ui::SNPUpgrader form;
    form.setupUi(&unnamed);
    QCOMPARE(unnamed.objectName(), QString("SNPUpgrader"));
    QCOMPARE(unnamed.size(), QSize(1105, 815));
    // Before the window adjusts it, the form shows the BLE page and both bars at 24.
    QCOMPARE(form.tabWidget->count(), 2);
    QCOMPARE(form.tabWidget->currentIndex(), 1);
    QCOMPARE(form.tabWidget->tabText(1), QString("BLE"));
    QCOMPARE(form.usbProgressBar->value(), 24);
    QCOMPARE(form.bleProgressBar->value(), 24);
    QCOMPARE(form.usbProgressBar->styleSheet(), QString());
    QCOMPARE(form.usbProgressBar->orientation(), Qt::Horizontal);
    QVERIFY(!form.usbProgressBar->invertedAppearance());
    QVERIFY(form.usbBtnUpgrade->isEnabled());
    QVERIFY(!form.bleBtnConnect->isEnabled());
    QVERIFY(!unnamed.menuWidget());

    QMainWindow named;
    named.setObjectName("KeepMe");
    Ui::SNPUpgrader secondForm;
    secondForm.setupUi(&named);
    QCOMPARE(named.objectName(), QString("KeepMe"));
}

void tst_MainWindow::windowAfterConstruction()
{
    QCOMPARE(m_window->objectName(), QString("SNPUpgrader"));
    QCOMPARE(m_window->windowTitle(), QString("SNPUpgrader"));
    QCOMPARE(m_window->size(), QSize(1105, 815));

    auto *tabs = child<QTabWidget>("tabWidget");
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QString("USB"));
    QCOMPARE(tabs->currentWidget(), child<QWidget>("usbTab"));
    // The BLE page is kept but never shown.
    QVERIFY(child<QWidget>("bleTab"));
    QCOMPARE(tabs->indexOf(child<QWidget>("bleTab")), -1);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QVERIFY(!child<QWidget>("bleTab")->isVisible());

    QVERIFY(!child<QPushButton>("usbBtnUpgrade")->isEnabled());
    auto *progress = child<QProgressBar>("usbProgressBar");
    QCOMPARE(progress->value(), 0);
    QCOMPARE(progress->styleSheet(),
             QString("QProgressBar::chunk {background-color: #fdba12; text-align:center;} "
                     "QProgressBar::horizontal {text-align: center;}"));
    QCOMPARE(child<QProgressBar>("bleProgressBar")->value(), 24);
    QCOMPARE(SNPUpgraderProbe::state(*m_window), 0);
    QVERIFY(!SNPUpgraderProbe::portOpen(*m_window));
    QVERIFY(!SNPUpgraderProbe::versionWatchdogActive(*m_window));
    QVERIFY(!SNPUpgraderProbe::bootloaderWatchdogActive(*m_window));
    QVERIFY(logLines().isEmpty());

    const QMetaObject *meta = m_window->metaObject();
    QCOMPARE(meta->methodCount() - meta->methodOffset(), 4);
    QCOMPARE(meta->method(meta->methodOffset()).methodSignature(),
             QByteArray("phpDownloadFinished()"));
    QCOMPARE(meta->method(meta->methodOffset() + 1).methodSignature(),
             QByteArray("replyUrlRequestFinished(QNetworkReply*)"));
    QCOMPARE(meta->method(meta->methodOffset() + 2).methodSignature(),
             QByteArray("verStrTimeout()"));
    QCOMPARE(meta->method(meta->methodOffset() + 3).methodSignature(),
             QByteArray("bootLoaderTimeout()"));
}

void tst_MainWindow::logBoxIsReadOnly()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    auto *log = child<QTextEdit>("usbTxtLog");
    QVERIFY(log->isReadOnly());
    log->setFocus();
    QTest::keyClicks(log, "typed");
    QCOMPARE(log->toPlainText(), QString());
}

void tst_MainWindow::portListIsTheSystemsWithoutExtraPorts()
{
    QStringList expected;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        expected << info.portName();
    auto *ports = child<QComboBox>("usbCmbSerialPort");
    QStringList listed;
    for (int i = 0; i < ports->count(); ++i)
        listed << ports->itemText(i);
    QCOMPARE(listed, expected);
}

void tst_MainWindow::extraPortsAreAppended()
{
    const QString extra
        = QStringList { "/tmp/snp-a", "", "/tmp/snp-b" }.join(QDir::listSeparator());
    qputenv("SNP300_SERIAL_PORTS", extra.toLocal8Bit());
    QTest::mouseClick(child<QPushButton>("usbBtnSerialPortRefresh"), Qt::LeftButton);
    auto *ports = child<QComboBox>("usbCmbSerialPort");
    const int systemPorts = QSerialPortInfo::availablePorts().size();
    QCOMPARE(ports->count(), systemPorts + 2);
    QCOMPARE(ports->itemText(systemPorts), QString("/tmp/snp-a"));
    QCOMPARE(ports->itemText(systemPorts + 1), QString("/tmp/snp-b"));
    QVERIFY(!ports->itemData(systemPorts).isValid());
}

void tst_MainWindow::connectWithoutPortChosen()
{
    child<QComboBox>("usbCmbSerialPort")->clear();
    QTest::mouseClick(child<QPushButton>("usbBtnConnect"), Qt::LeftButton);
    QCOMPARE(logLines(), QStringList { "Select a serial port." });
    QCOMPARE(child<QPushButton>("usbBtnConnect")->text(), QString("Connect"));
    QVERIFY(!child<QPushButton>("usbBtnUpgrade")->isEnabled());
    QVERIFY(!SNPUpgraderProbe::versionWatchdogActive(*m_window));
}

void tst_MainWindow::connectToPortThatCannotOpen()
{
    qputenv("SNP300_SERIAL_PORTS", m_home->path().toLocal8Bit() + "/no-such-port");
    QTest::mouseClick(child<QPushButton>("usbBtnSerialPortRefresh"), Qt::LeftButton);
    auto *ports = child<QComboBox>("usbCmbSerialPort");
    ports->setCurrentIndex(ports->count() - 1);
    QTest::mouseClick(child<QPushButton>("usbBtnConnect"), Qt::LeftButton);
    // The specified line, then the cause and the remedy.
    const QString port = m_home->path() + "/no-such-port";
    QCOMPARE(logLines().size(), 2);
    QCOMPARE(logLines().first(), QString("Unable to connect."));
    QVERIFY2(logLines().last().startsWith("The port " + port + " was not found ("),
             qPrintable(logLines().last()));
    QVERIFY2(logLines().last().endsWith("Plug it in, press Detect Ports, choose its port and "
                                        "press Connect again."),
             qPrintable(logLines().last()));
    QCOMPARE(child<QPushButton>("usbBtnConnect")->text(), QString("Connect"));
    QVERIFY(!child<QPushButton>("usbBtnUpgrade")->isEnabled());
    QVERIFY(!SNPUpgraderProbe::portOpen(*m_window));
    QVERIFY(!SNPUpgraderProbe::versionWatchdogActive(*m_window));
    QCOMPARE(SNPUpgraderProbe::state(*m_window), 0);
}

namespace {

// Every element of the accessibility tree below root, depth first.
QList<QAccessibleInterface *> accessibleTree(QAccessibleInterface *root)
{
    QList<QAccessibleInterface *> all;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child)
            continue;
        all.append(child);
        all.append(accessibleTree(child));
    }
    return all;
}

} // namespace

// What a screen reader walks: nothing that takes the focus may be without a name.
void tst_MainWindow::focusableElementsHaveNames()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(m_window);
    QVERIFY(root);
    QStringList unnamed;
    int focusable = 0;
    for (QAccessibleInterface *element : accessibleTree(root)) {
        const QAccessible::State state = element->state();
        if (!state.focusable || state.invisible)
            continue;
        ++focusable;
        if (element->text(QAccessible::Name).trimmed().isEmpty()) {
            QObject *object = element->object();
            unnamed << QStringLiteral("%1 (role %2)")
                           .arg(object ? object->objectName() : QStringLiteral("?"))
                           .arg(int(element->role()));
        }
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    QVERIFY(focusable >= 5); // the tabs, the port list, the three buttons and the log box
}

void tst_MainWindow::controlsAreNamedAndDescribed()
{
    for (const char *name : { "usbCmbSerialPort", "usbBtnSerialPortRefresh", "usbBtnConnect",
                              "usbBtnUpgrade", "usbProgressBar", "usbTxtLog" }) {
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(child<QWidget>(name));
        QVERIFY2(control, name);
        QVERIFY2(!control->text(QAccessible::Name).isEmpty(), name);
        QVERIFY2(!control->text(QAccessible::Description).isEmpty(), name);
    }
    // The label names the port list, for the eye and for the screen reader.
    auto *label = child<QLabel>("label");
    QCOMPARE(label->buddy(), child<QWidget>("usbCmbSerialPort"));
    QAccessibleInterface *ports
        = QAccessible::queryAccessibleInterface(child<QWidget>("usbCmbSerialPort"));
    bool labelled = false;
    for (const auto &relation : ports->relations(QAccessible::Label))
        labelled = labelled || relation.first->object() == label;
    QVERIFY(labelled);
    // The Connect button is read out as it reads on screen.
    QCOMPARE(child<QPushButton>("usbBtnConnect")->accessibleName(),
             child<QPushButton>("usbBtnConnect")->text());
}

// The Tab key walks the page as it reads: the tabs, then left to right and top to bottom.
void tst_MainWindow::tabFollowsReadingOrder()
{
    child<QPushButton>("usbBtnUpgrade")->setEnabled(true);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QWidget *tabBar = child<QTabWidget>("tabWidget")->findChild<QTabBar *>();
    tabBar->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), tabBar);
    const QStringList expected { "usbCmbSerialPort", "usbBtnSerialPortRefresh", "usbBtnConnect",
                                 "usbBtnUpgrade", "usbTxtLog" };
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
    // The log box can be read line by line from the keyboard, and still not changed.
    QVERIFY(child<QTextEdit>("usbTxtLog")->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QVERIFY(child<QTextEdit>("usbTxtLog")->isReadOnly());
}

// QProgressBar announces each new value to a listening screen reader itself (a value-change
// event; the offscreen platform has no screen reader to catch it). The reader then asks the bar
// for its value, which is what this checks.
void tst_MainWindow::progressIsReadable()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    auto *bar = child<QProgressBar>("usbProgressBar");
    bar->setRange(0, 40);
    bar->setValue(10);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(bar);
    QCOMPARE(iface->role(), QAccessible::ProgressBar);
    QVERIFY(iface->valueInterface());
    QCOMPARE(iface->valueInterface()->currentValue().toInt(), 10);
    QCOMPARE(iface->valueInterface()->maximumValue().toInt(), 40);
    QCOMPARE(iface->text(QAccessible::Name), bar->accessibleName());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"

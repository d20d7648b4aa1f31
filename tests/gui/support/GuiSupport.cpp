#include "GuiSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {
const char* const kUserVariables[3] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
}  // namespace

IsolatedUserDirs::IsolatedUserDirs() {
    for (int i = 0; i < 3; ++i) {
        saved_[i] = qgetenv(kUserVariables[i]);
        const QString dir = QString::fromStdString(home_.path()) + (i == 0   ? ""
                                                                    : i == 1 ? "/config"
                                                                             : "/data");
        QDir().mkpath(dir);
        qputenv(kUserVariables[i], dir.toLocal8Bit());
    }
}

IsolatedUserDirs::~IsolatedUserDirs() {
    for (int i = 0; i < 3; ++i) qputenv(kUserVariables[i], saved_[i]);
}

QString IsolatedUserDirs::settingsFile() const {
    return QString::fromStdString(home_.path()) + "/config/Corvane/QRN.conf";
}

void typeInto(QWidget* w, const QString& text) {
    w->setFocus();
    QTest::keyClicks(w, text);
}

void typeInto(QWidget* page, const char* name, const QString& text) {
    typeInto(namedChild<QWidget>(page, name), text);
}

QString grabToFile(QWidget* widget, const QString& name) {
    const QString dir =
        qEnvironmentVariable("QRN_TEST_BINARY_DIR", QDir::tempPath()) + "/gui-shots";
    QDir().mkpath(dir);
    const QString path = dir + "/" + name + ".png";
    return widget->grab().save(path) ? path : QString();
}

void whenModal(std::function<void(QDialog*)> action, int timeoutMs) {
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    const QWidget* before = QApplication::activeModalWidget();
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        *waited += poll->interval();
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        // Active first, so the dialog has its keyboard focus when the action types;
        // one that never becomes active gets the action all the same, never a hang.
        const bool ready = dialog && dialog != before && dialog->isVisible() &&
                           (dialog->isActiveWindow() || *waited >= timeoutMs / 2);
        if (ready) {
            poll->deleteLater();
            // Armed before the action, which may itself open a box on top and wait.
            QPointer<QDialog> guard(dialog);
            QTimer::singleShot(timeoutMs, qApp, [guard] {
                for (int i = 0; i < 10 && guard && guard->isVisible(); ++i) {
                    auto* top = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    if (!top) break;
                    top->reject();
                }
            });
            action(dialog);
        } else if (*waited >= timeoutMs) {
            poll->deleteLater();
        }
    });
    poll->start();
}

MessageBoxCatcher::MessageBoxCatcher()
    : texts_(std::make_shared<QStringList>()), titles_(std::make_shared<QStringList>()) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    auto texts = texts_;
    auto titles = titles_;
    QObject::connect(poll, &QTimer::timeout, poll, [texts, titles] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        const QString detail = box->detailedText();
        texts->append(detail.isEmpty() ? box->text() : box->text() + "\n" + detail);
        titles->append(box->windowTitle());
        box->accept();
    });
    poll->start();
    timer_ = poll;
}

MessageBoxCatcher::~MessageBoxCatcher() { delete timer_.data(); }

QStringList duplicateMnemonics(QWidget* window) {
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible()) texts << label->text();
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->isVisible()) texts << button->text();
    QStringList seen, duplicates;
    for (const QString& text : texts) {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != QLatin1Char('&')) continue;
            if (text[i + 1] == QLatin1Char('&')) {
                ++i;
                continue;
            }
            const QString letter = text[i + 1].toLower();
            if (seen.contains(letter) && !duplicates.contains(letter)) duplicates << letter;
            seen << letter;
            break;
        }
    }
    return duplicates;
}

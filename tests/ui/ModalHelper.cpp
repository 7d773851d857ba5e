#include "ModalHelper.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

void WhenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    auto ticks = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && match(modal)) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            return;
        }
        if (++*ticks > 3000) { // a safety net against a hang, not a measurement
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected dialog did not appear";
            while (QWidget* w = QApplication::activeModalWidget()) {
                if (auto* d = qobject_cast<QDialog*>(w))
                    d->done(QDialog::Rejected);
                else
                    w->close();
                if (QApplication::activeModalWidget() == w) break;
            }
        }
    });
    timer->start();
}

void WhenModal(const QString& objectName, std::function<void(QWidget*)> action) {
    WhenModal([objectName](QWidget* w) { return w->objectName() == objectName; },
              std::move(action));
}

void WhenMessageBox(std::function<void(QWidget*)> action) {
    WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
              std::move(action));
}

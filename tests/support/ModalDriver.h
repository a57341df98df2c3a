#pragma once

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace velarin::test {

// Acts on the next modal window of type T once it is the active one, from the event loop that
// the window's exec() runs. If none appears within the time limit, every modal window is
// rejected and the test fails, so that a test never hangs on a dialog nobody answers.
template <typename T> void WhenModal(std::function<void(T*)> action, int timeLimitMs = 10000)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action, left = timeLimitMs]() mutable {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (modal == nullptr && (left -= 5) > 0)
            return;
        poll->stop();
        poll->deleteLater();
        if (modal != nullptr)
            return action(modal);
        ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " appeared";
        for (int i = 0; i < 10 && QApplication::activeModalWidget() != nullptr; ++i) {
            QWidget* open = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<QDialog*>(open))
                dialog->reject();
            else
                open->close();
        }
    });
    poll->start();
}

// Puts a path into a file dialog as if typed: its folder becomes the dialog's and its name goes
// into the name field (selectFile leaves a focused name field alone); a path whose folder does
// not exist is typed whole.
inline void ChooseInFileDialog(QFileDialog* dialog, const QString& path)
{
    const QFileInfo info(path);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr) {
        dialog->selectFile(path);
    } else if (QFileInfo(info.absolutePath()).isDir()) {
        dialog->setDirectory(info.absolutePath());
        name->setText(info.fileName());
    } else {
        name->setText(path);
    }
}

} // namespace velarin::test

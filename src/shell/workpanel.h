// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;
class QVBoxLayout;

namespace shell {

// One of the main window's work areas: a title on top, the content below.
// At most one is visible at a time.
class WorkPanel : public QFrame {
    Q_OBJECT
public:
    WorkPanel(const QString& objectName, const QString& title, QWidget* parent = nullptr);
    QLabel* titleLabel() const { return title_; }
    QVBoxLayout* contentLayout() const { return content_; }

private:
    QLabel* title_;
    QVBoxLayout* content_;
};

} // namespace shell

// SPDX-License-Identifier: GPL-3.0-or-later
#include "textlabel.h"

namespace databound {

TextLabel::TextLabel(QWidget* parent) : QLabel(parent), link_(new FieldLink(this, [this] { setText(link_->text()); })) {
    setTextFormat(Qt::PlainText); // a stored word is never markup
}

void TextLabel::bind(DataSource* source, const QString& field) {
    link_->bind(source, field);
}

} // namespace databound

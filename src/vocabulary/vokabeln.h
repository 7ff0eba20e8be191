// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "vocabularyeditor.h"

#include <QDialog>

namespace vocabulary {

// The modal vocabulary dialog the assignment dialog opens to create words
// and the dictionary opens on a word.
class VokabelnF : public QDialog {
    Q_OBJECT
public:
    VokabelnF(core::AppContext& ctx, VocabularyRules& rules, databound::DataSource* source, core::WindowHost& host,
              QWidget* parent = nullptr);

    VocabularyEditor* editor;

    void CloseDialog();
    // Also the close box and Escape: the frame's way out asks first.
    void reject() override;

private:
    bool CloseQuery();

    core::AppContext& ctx_;
    VocabularyRules& rules_;
};

} // namespace vocabulary

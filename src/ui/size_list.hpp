#pragma once

#include "catalogue/section_family.hpp"

#include <QComboBox>

namespace kavrel {

// A size list: a drop-down list with an editable text field. Unlike QComboBox's defaults, its
// entries are fixed (Return inserts nothing), typed text is never completed or case-folded,
// and only a real choice of an entry (popup, arrow keys, wheel) counts as choosing.
class SizeList : public QComboBox {
    Q_OBJECT

  public:
    explicit SizeList(QWidget* parent);

    // Appends the family's designations in display order; the text stays empty.
    void fill(SectionFamily family);

    // Empties the text, typed or chosen, so that no entry counts as chosen any more.
    void clearText();

  signals:
    // The user chose an entry, possibly the one already shown.
    void chosen();
    // The user changed the text by typing, deleting or pasting.
    void edited();

  private:
    // QComboBox reports "activated" when its field loses the focus or takes Return while
    // holding a typed text equal to an entry. That is typing, not choosing.
    bool finishingEdit_ = false;
};

} // namespace kavrel

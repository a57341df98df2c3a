#pragma once

class QRect;
class QWidget;

namespace velarin {

// The text of an edit field or an editable combo box read as a signed number (0 when it is not
// one), and a number written into it as text. Writing changes the text and so raises the
// control's change notification, as typing does.
int GetDlgItemInt(const QWidget* control);
void SetDlgItemInt(QWidget* control, int value);

// The ids of a dialog's OK and Cancel buttons.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Places a dialog's control at a rectangle in dialog units and names it by its id (0: unnamed).
void PlaceIn(QWidget* control, int id, const QRect& dlu);

} // namespace velarin

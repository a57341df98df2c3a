#pragma once

#include "gui/ui/PropertySheetContext.h"

#include <QWidget>

namespace velarin {

class CVelarinPropertySheet;

// The small tool window "Velarin Properties" that holds the property sheet. Closing it only
// hides it, so the pages and their timers live on until the program ends.
class CVelarinPropertyFrame : public QWidget {
    Q_OBJECT
public:
    explicit CVelarinPropertyFrame(PropertySheetContext& context, QWidget* parent = nullptr);

    CVelarinPropertySheet& Sheet() const { return *sheet_; }

    // The main frame's "&Properties..." command: creates the frame on first use (centred on the
    // screen), shows it when hidden, and brings it to the front. Returns the frame to keep.
    static CVelarinPropertyFrame* ShowProperties(
        CVelarinPropertyFrame* frame, PropertySheetContext& context, QWidget* parent);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CVelarinPropertySheet* sheet_;
};

} // namespace velarin

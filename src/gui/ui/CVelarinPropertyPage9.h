#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "Time" (template 118): The UTC clock, its colours and the set-clock button.
class CVelarinPropertyPage9 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 118;
    static constexpr int kHelpContext = 131190;

    explicit CVelarinPropertyPage9(PropertySheetContext& context, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

} // namespace velarin

#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "About Velarin" (template 108): Version and links.
class CVelarinPropertyPage5 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 108;
    static constexpr int kHelpContext = 0;

    explicit CVelarinPropertyPage5(PropertySheetContext& context, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

} // namespace velarin

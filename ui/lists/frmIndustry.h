#pragma once
// Editor of the industries (企业行业); also the industry picker of the company dialogs.
#include "ui/lists/ClassListEditor.h"

class frmIndustry final : public ClassListEditor {
    Q_OBJECT
public:
    explicit frmIndustry(QWidget* opener = nullptr);
    // Opens as a picker for `opener` (tag "AddCompany" or "EditCompany") and returns when closed.
    static void pick(QWidget* opener, const QString& tag);
};

#pragma once

#include "display/CountdownForm.h"

// The base of both programs' countdown windows (being written).
class CountdownWindow : public CountdownForm {
    Q_OBJECT
public:
    using CountdownForm::CountdownForm;
};

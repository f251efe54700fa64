#pragma once

#include "handinbox.h"

// The second hand-in confirmation box of the mock exam.
class Tmnksts2 : public HandInBox
{
    Q_OBJECT

public:
    explicit Tmnksts2(Tmnks4 *question);

    void RzBitBtn1Click() override;
    void RzBitBtn2Click() override;
};

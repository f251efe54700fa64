#pragma once

#include "handinbox.h"

// The third hand-in confirmation box of the mock exam.
class Tmnksts3 : public HandInBox
{
    Q_OBJECT

public:
    explicit Tmnksts3(Tmnks4 *question);

    void RzBitBtn1Click() override;
};

#pragma once

#include "handinbox.h"

// The first hand-in confirmation box of the mock exam.
class Tmnksts1 : public HandInBox
{
    Q_OBJECT

public:
    explicit Tmnksts1(Tmnks4 *question);

    void RzBitBtn1Click() override;

protected:
    void showEvent(QShowEvent *event) override;
};

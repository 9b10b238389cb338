#pragma once

#include "runtimeerror.h"

// The input a level command could not use: one of the two prices, or their difference when both
// read but lie too far apart.
enum class Faulty { High, Low, Difference };

// A runtime error that also says which input caused it, so that the window can point the user at
// the box to correct.
class PriceError : public RuntimeError
{
public:
    PriceError(ErrorCode code, Faulty faulty);

    Faulty faulty() const { return m_faulty; }

private:
    Faulty m_faulty;
};

#include "priceerror.h"

PriceError::PriceError(ErrorCode code, Faulty faulty) : RuntimeError(code), m_faulty(faulty) { }

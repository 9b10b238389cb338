#include "runtimeerror.h"

std::string_view RuntimeError::description() const
{
    return m_code == ErrorCode::Overflow ? "溢出" : "类型不匹配";
}

const char *RuntimeError::what() const noexcept
{
    return description().data();
}

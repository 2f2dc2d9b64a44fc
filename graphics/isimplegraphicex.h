#pragma once

#include "isimplegraphic.h"

class ISimpleGraphicEx : public ISimpleGraphic
{
public:
    virtual void ClearData(int i) = 0;
};

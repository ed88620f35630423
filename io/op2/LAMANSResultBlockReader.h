// Real eigenvalue summary: files the frequency (cycles) of every mode in the model. It
// registers no results; its data is read during the catalogue pass.
#pragma once

#include "io/op2/NSResultBlockReader.h"

class LAMANSResultBlockReader : public NSResultBlockReader
{
public:
    int createResults(CModelSet* model, int64_t filePosition) override;
    int readRecord(int nBytes, CModelSet* model, const CResultMap* group) override;
};

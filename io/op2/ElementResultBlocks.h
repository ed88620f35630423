// Files the element force, stress, strain, strain energy and grid point stress readers in an
// OUTPUT2 reader's block table, under every block name whose layout they read.
#pragma once

class OP2Reader;

void AddElementResultBlockReaders(OP2Reader* reader);

// Deck files: what both platforms share.
#include "io/bulk/DeckFile.h"

void CDeckFile::Close()
{
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_identity = SIdentity();
}

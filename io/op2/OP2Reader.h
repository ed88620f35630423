// OUTPUT2 file reader: the block table (data-block name -> block reader), the whole-file
// catalogue pass and the data pass that loads requested results by their subcase positions.
#pragma once

#include "io/op2/NSBlockReader.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CFile;
class CModelSet;
class COp2File;
class COutputSink;

class OP2Reader
{
public:
    // Codes of readCatalogue besides 0 and the block codes of op2:: (-1 to -5: a file that
    // ends inside a record is op2::kTruncated, and keeps what came before).
    static constexpr int kRefused = -6;    // not a binary OUTPUT2 file with 4-byte words
    static constexpr int kCannotOpen = -7; // apart from op2::kTruncated
    // Of readResults: the file catalogued was written to since, so what it holds now is not
    // what was catalogued.
    static constexpr int kFileChanged = -8;

    OP2Reader();
    ~OP2Reader();
    OP2Reader(const OP2Reader&) = delete;
    OP2Reader& operator=(const OP2Reader&) = delete;

    // Whole-file pass: reads the label, then every data block with the reader its name
    // selects ("DEFAULT" for unknown names), registering each result with m_loaded 0 and path
    // as its source. Geometry blocks are read over unless readGeometry is set. Messages go to
    // sink (may be null). Returns 0, kCannotOpen, kRefused, or the negative code of the block
    // that stopped it. A path that names no regular file is told to the sink with its name
    // (kCannotOpen). A file that is not refused stays open until the reader goes, for the data
    // pass; a path catalogued again is read through the same open.
    int readCatalogue(const std::string& path, CModelSet* model, bool readGeometry,
                      COutputSink* sink);
    // Loads the results of path that are marked as requested (m_loaded 2), through the open of
    // its catalogue pass, so that a file put in its place since is not read. 0, or
    // kFileChanged (nothing loaded); a path not catalogued by this reader is opened by name:
    // -1 when that fails.
    int readResults(const std::string& path, CModelSet* model);

    // Reads one framed record into buffer: its length, or -2 when it exceeds capacity (nothing
    // more is read), or -1 when the file ends inside it.
    static int ReadRecord(COp2File* file, void* buffer, int capacity);
    // The same through the framework's file class.
    static int ReadRecord(CFile* file, void* buffer, int capacity);

    // The reader registered under name, or null.
    NSBlockReader* FindBlockReader(const std::string& name) const;
    const std::string& GetPath() const { return m_path; }
    // The block the catalogue pass is reading, and where its messages go (null: nowhere).
    const std::string& GetBlockName() const { return m_blockName; }
    COutputSink* GetSink() const { return m_sink; }
    // One line to the sink of the catalogue pass that is running; nothing while none is.
    void ReportLine(const std::string& line) const;

    // Files a block reader under several names; the table owns it once and makes it read
    // through this reader's read context.
    void AddBlockReader(std::initializer_list<const char*> names,
                        std::unique_ptr<NSBlockReader> reader);
    // Files an existing reader under more names.
    void AddAlias(std::initializer_list<const char*> names, const char* registeredName);

private:
    int ReadLabel(COp2File& file, COutputSink* sink);
    int ReadBlockHeader(COp2File& file, std::string* name, bool* endOfFile);
    void ReadBlocks(COp2File& file, CModelSet* model, bool readGeometry, COutputSink* sink,
                    int* code);

    std::map<std::string, NSBlockReader*> m_blocks;
    std::vector<std::unique_ptr<NSBlockReader>> m_readers; // owned, each once
    // Each file catalogued, open for its data pass.
    std::map<std::string, std::unique_ptr<COp2File>> m_cataloguedFiles;
    std::string m_path;
    std::string m_blockName;
    COutputSink* m_sink = nullptr; // borrowed, for the length of a catalogue pass
    // What the block readers share while this reader reads a file.
    Op2ReadContext m_context;
};

#pragma once

#include "xml/XmlElementIndex.h"

#include <QByteArray>
#include <QHash>

#include <atomic>
#include <memory>
#include <vector>

class XmlScanner;
struct XmlNodeInfo;
struct XmlSpan;

// One XML (or loosely HTML-like) document held as its UTF-8 text plus an index of where
// every element lies in it. Nothing is copied out into a tree: reading, finding and editing
// work on the text through the index, so the text always is the document's serialised form.
// Parsing never fails outright: faults become result records and element flags, and the
// elements that could be recognised are indexed all the same.
//
// Positions are indexes into the element index (0 is the document itself); offsets are
// byte offsets into the text. The cursor is a parent, a current element under it and a
// child under the current element; after a parse all three are 0.
//
// A document can also stream a file too big to hold (Open, Close). In read-file mode the
// file is read a block at a time as FindElement goes through it and the text before the
// current node is dropped: only the elements on the cursor's path have positions (position
// n is the element at depth n - 1), and an element whose text was dropped reads as empty.
// In write-file mode the elements added are written out, and dropped, once the text outgrows
// a block. Either mode refuses what would need the dropped text (editing in read-file mode,
// removing, sub-documents, saved positions, node walking, paths) and write-file mode refuses
// finding elements.
class CXmlDoc {
public:
    // Document flags.
    enum : int {
        kUtf16LE = 0x1,
        kUtf8Bom = 0x4,
        kIgnoreCase = 0x8,
        kReadFileMode = 0x10,
        kWriteFileMode = 0x20,
        kAppendFile = 0x40,
        kUtf16BE = 0x80,
        kTrimSpace = 0x100,
        kCollapseSpace = 0x200,
        kFileModes = kReadFileMode | kWriteFileMode,
    };
    // Flags of the insertion and data operations.
    enum : int {
        kAsCData = 0x1,
        kNoLineBreaks = 0x2,
        kSpaceBeforeSlash = 0x4,
        kKeepReferences = 0x8,
        kStartTagOnly = 0x10,
        kEscapeQuotes = 0x100,
        kReplaceContent = 0x1000,
        kInsertBefore = 0x2000,
        kInsertAsChild = 0x4000,
    };
    // Flags of AddResult: which attribute names the value and the numbers take.
    enum : int {
        kResultCount = 0x1,
        kResultType = 0x2,
        kResultN = 0x4,
        kResultEncoding = 0x8,
        kResultLength = 0x10,
        kResultMerge = 0x20,
        kResultMessage = 0x40,
    };
    static constexpr int kBadNodeType = 0x8000;  // what NextNode reports for a bad node
    static constexpr int kResultsCap = 1000;     // result records stop once they hold this many bytes
    // The block of the streaming file modes. Reading runs as fast with 4 KiB as with 64 KiB
    // blocks, but write-file mode moves every element its text still holds on each insertion,
    // so it writes twice as fast with 16 KiB as with 64 KiB (bench_xmlstream). 16 KiB still
    // takes most tags and text nodes in one read, so that few are scanned again at a block's
    // end, and per-block costs (a read, a conversion call) stay small.
    static constexpr int kFileBlockSize = 16 * 1024;

    CXmlDoc();
    explicit CXmlDoc(const char* text);
    CXmlDoc(const CXmlDoc& other);
    CXmlDoc& operator=(const CXmlDoc& other);
    ~CXmlDoc();

    // Text and parse.
    bool SetDocChars(const char* text);
    bool SetDocText(const QByteArray& text);
    const QByteArray& GetDocText() const { return m_strDocText; }
    const QByteArray& GetResults() const { return m_strResults; }
    int GetDocFlags() const { return m_docFlags; }
    // The file-mode flags stay as Open and Close set them.
    void SetDocFlags(int flags) { m_docFlags = (flags & ~kFileModes) | (m_docFlags & kFileModes); }
    bool CheckWellFormed() const;
    // A flag that, once set, ends a parse under way as if the text ended there (a lookup
    // that is aborted stops reading its reply).
    void SetAbortFlag(const std::atomic_bool* abort) { m_abort = abort; }

    // Cursor and reading.
    void SetCursor(int parent, int current, int child);
    void ResetCursor() { SetCursor(m_posParent, 0, 0); }
    int GetCursorParent() const { return m_posParent; }
    int GetCursorCurrent() const { return m_posCurrent; }
    int GetCursorChild() const { return m_posChild; }
    bool FindElement(const char* path = nullptr);
    bool EnterElement();
    bool LeaveElement();
    bool FindChildElement(const char* path = nullptr);
    QByteArray GetAttribute(const char* name) const;
    QByteArray GetData() const { return GetElemData(m_posCurrent); }
    QByteArray GetElemData(int pos) const;
    int GetParentPosition(int pos) const;
    QByteArray GetElementName(int pos) const;
    // Positions 1 .. GetPositionCount() - 1 have been handed out (some may be deleted).
    int GetPositionCount() const { return m_posFree; }
    const ElementRecord& GetRecord(int pos) const { return m_index[pos]; }
    static QByteArray DecodeText(const char* text, int length = -1, int flags = 0);

    // Editing and text output.
    static QByteArray EncodeText(const char* text, int flags = 0);
    static QByteArray WrapCData(const char* text);
    static bool MakeNodeMarkup(int nodeType, const char* text, QByteArray& markup);
    bool InsertElement(const char* name, const char* value = nullptr, int flags = 0);
    bool InsertElement(const char* name, int value, int flags = 0);
    bool SetAttribute(int pos, const char* name, const char* value, int flags = 0);
    bool SetAttribute(int pos, const char* name, int value, int flags = 0);
    bool SetData(int pos, const char* text, int flags = 0);
    bool SetInnerMarkup(int pos, const char* markup);
    QByteArray GetInnerMarkup(int pos) const;
    QByteArray GetElementMarkup(int pos) const;
    bool InsertMarkup(const char* markup, int flags = 0);
    bool InsertNodeMarkup(int nodeType, const char* text, int flags = 0);
    bool RemoveElement();
    bool RemoveChildElement();
    bool RemoveCurrentNode();
    int NextNode(int typeMask = 0);
    QByteArray GetNodeLabel() const;
    QByteArray GetElementPath(int pos) const;
    QByteArray GetAttributeName(int n) const;
    bool GetAttributeAt(int n, QByteArray* name, QByteArray* value) const;
    bool SaveCursor(const char* name, int map = 0);
    bool RestoreCursor(const char* name, int map = 0);

    // Result records and files.
    static void AddResult(QByteArray& results, const char* name, const char* value = nullptr, int flags = 0,
                          int number = -1, int number2 = -1);
    QByteArray GetResultText() const;
    bool LoadFile(const char* path);
    bool SaveFile(const char* path);
    static bool ReadFileText(const char* path, QByteArray& text, QByteArray* results = nullptr, int* flags = nullptr,
                             QByteArray* encoding = nullptr);
    static bool WriteFileText(const char* path, const QByteArray& text, QByteArray* results = nullptr,
                              int* flags = nullptr, QByteArray* encoding = nullptr);
    static int CodePageFromName(const char* name);
    static QByteArray DetectEncoding(const char* text, int length = -1);

    // Streaming file modes: `flags` holds kReadFileMode or kWriteFileMode, with kAppendFile and
    // the byte-order-mark flags for writing. Open ends a mode already open and starts from an
    // empty document; when the file cannot be opened it returns false and leaves the document
    // as it was, the reason in the results.
    bool Open(const char* path, int flags, int blockSize = kFileBlockSize);
    // Writes what write-file mode still holds and ends the mode, leaving an empty document;
    // false when a write failed.
    bool Close();
    // The most text the open file mode has held at once, in bytes allocated for it.
    qint64 GetBufferedPeak() const;

private:
    struct SavedCursor {
        int pos = 0;
        int which = 0;  // 0x1 the current element, 0x2 the child, else the parent
    };
    struct OpenTag {
        int nameStart;
        int nameLength;
        int pos;
    };
    struct Placement;
    struct FileStream;
    struct FileStreamDeleter {
        void operator()(FileStream* stream) const;
    };

    bool inFileMode() const { return m_docFlags & kFileModes; }
    bool isLive(int pos) const { return pos > 0 && pos < m_posFree && !m_index[pos].has(ElementRecord::kDeleted); }
    // Whether an element's text is still there: a file mode drops what lies behind it.
    bool isHeld(int pos) const { return isLive(pos) && m_index[pos].start >= 0; }
    bool ParseDocument();
    int ParseElement(int parent, XmlScanner& scanner);
    int TakeFreePosition();
    void LinkLastChild(int parent, int pos);
    void CloseUnended(std::vector<OpenTag>& stack, size_t above, int parent, int offset2);
    void RaiseFlag(int parent, int current, const QByteArray& results);
    void SetLevelsBelow(int top);
    bool Aborted() const { return m_abort && m_abort->load(std::memory_order_relaxed); }
    int PreviousSibling(int pos) const;
    int FindSibling(int candidate, const char* path) const;
    QByteArray NodeText() const;

    void ReplaceText(int offset, int replaced, const QByteArray& text);
    bool Place(Placement& where, int flags) const;
    int InsertNew(const QByteArray& markup, int startTag, int endTag, int flags);
    void OpenEmptyElement(int pos);
    bool OpenParent(int parent);
    void LinkNew(int pos, const Placement& where);
    void ParseContent(int pos);
    void DeleteSubtree(int pos);
    bool RemoveElementAt(int pos);
    int TagOfAttributes(int pos) const;
    bool MarkupIsWellFormedContent(const char* markup) const;

    void ShiftWindow(int dropped);
    int StreamScan(XmlNodeInfo& node, XmlSpan& token, int keep);
    bool StreamFindElement(const char* path);
    int StreamElement(const XmlNodeInfo& node, const XmlSpan& token);
    void StreamLookAhead(int pos);
    void StreamSkipTo(size_t depth);
    bool StreamAccept(XmlNodeInfo& node);
    void StreamPush(const XmlNodeInfo& node, const XmlSpan& token);
    void StreamOther(int type, XmlNodeInfo& node, const XmlSpan& token);
    void StreamEndTag(const XmlNodeInfo& node, const XmlSpan& token);
    void StreamCloseUnended(size_t above, int offset2);
    void StreamEnd();
    int StreamInnermost() const;
    int StreamOffset(int windowOffset) const;
    void FlushWritten();
    int WrittenKeep() const;
    void DropWritten(int keep);

    QByteArray m_strDocText;
    QByteArray m_strResults;
    int m_posParent = 0;
    int m_posCurrent = 0;
    int m_posChild = 0;
    int m_posFree = 1;
    int m_posDeletedHead = 0;
    int m_nodeType = 0;
    int m_nodeOffset = 0;
    int m_nodeLength = 0;
    int m_docFlags = 0;
    const std::atomic_bool* m_abort = nullptr;
    std::unique_ptr<FileStream, FileStreamDeleter> m_pFileReader;
    std::vector<QHash<QByteArray, SavedCursor>> m_savedCursors;
    ElementIndex m_index;
};

// Any bytes as a document: parse, read every element's name, attributes and data, and the
// result text.
#include "xml/XmlDoc.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CXmlDoc doc;
    doc.SetDocText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (int pos = 1; pos < doc.GetPositionCount(); ++pos) {
        doc.SetCursor(doc.GetParentPosition(pos), pos, 0);
        doc.GetElementName(pos);
        QByteArray name, value;
        for (int n = 0; doc.GetAttributeAt(n, &name, &value); ++n)
            doc.GetAttribute(name.constData());
        doc.GetData();
    }
    doc.GetResultText();
    CXmlDoc::DetectEncoding(doc.GetDocText().constData());
    return 0;
}

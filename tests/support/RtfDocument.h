#pragma once
// The body of a document being read; RtfReader.cpp's scanner feeds it the body's control words.

#include <string>
#include <vector>

#include "RtfReader.h"

namespace qvc::test {

// Where the text of a group goes.
enum class RtfDest { Body, Header, Footer, Colours, Pict, FieldInst, Skip };

class RtfBodyBuilder {
  protected:
    RtfSection& section() { return doc_.sections.back(); }
    std::string& currentText() { return intbl_ ? cell_.text : para_.text; }
    // A paragraph, section or table word.
    void bodyWord(const std::string& w, int v) {
        if (!paragraphWord(w, v))
            rowWord(w, v);
    }
    void endParagraph();

    RtfDocument doc_;
    RtfDest target_ = RtfDest::Body;  // body, header or footer
    RtfParagraph para_;
    RtfCell cell_;
    bool intbl_ = false;

  private:
    bool paragraphWord(const std::string& w, int v);
    void rowWord(const std::string& w, int v);
    void endRow();

    RtfRow definition_;
    std::vector<RtfCell> cells_;
    bool tableOpen_ = false;
    char tabKind_ = 'l';
};

}  // namespace qvc::test

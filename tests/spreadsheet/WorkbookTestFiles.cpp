#include "WorkbookTestFiles.h"

#include "spreadsheet/DeflateStream.h"

#include <algorithm>

ZipPackage RichTemplate()
{
    const std::string declaration = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";
    const std::string main = R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
    const std::string relsNs = R"( xmlns="http://schemas.openxmlformats.org/package/2006/relationships")";
    const std::string relType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    ZipPackage package;
    package.Put("[Content_Types].xml", declaration +
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml"/>)"
        R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
        R"(<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
        R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
        R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)"
        R"(<Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/>)"
        R"(</Types>)");
    package.Put("_rels/.rels", declaration + "<Relationships" + relsNs + R"(><Relationship Id="rId1" Type=")" + relType +
        R"(officeDocument" Target="xl/workbook.xml"/></Relationships>)");
    package.Put("docProps/app.xml", declaration + R"(<Properties><Application>Test</Application></Properties>)");
    package.Put("xl/workbook.xml", declaration + "<workbook" + main +
        R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)"
        R"(<sheet name="Cover" sheetId="1" r:id="rId1"/><sheet name="Sheet1" sheetId="2" r:id="rId2"/></sheets></workbook>)");
    package.Put("xl/_rels/workbook.xml.rels", declaration + "<Relationships" + relsNs + ">" +
        R"(<Relationship Id="rId1" Type=")" + relType + R"(worksheet" Target="worksheets/sheet1.xml"/>)" +
        R"(<Relationship Id="rId2" Type=")" + relType + R"(worksheet" Target="/xl/worksheets/sheet2.xml"/>)" +
        R"(<Relationship Id="rId3" Type=")" + relType + R"(styles" Target="styles.xml"/>)" +
        R"(<Relationship Id="rId4" Type=")" + relType + R"(sharedStrings" Target="sharedStrings.xml"/>)" +
        R"(<Relationship Id="rId5" Type=")" + relType + R"(calcChain" Target="calcChain.xml"/>)" +
        "</Relationships>");
    package.Put("xl/styles.xml", declaration + "<styleSheet" + main + ">" +
        R"(<fonts count="2"><font><sz val="11"/><name val="Calibri"/></font><font><b/><sz val="11"/><name val="Calibri"/></font></fonts>)"
        R"(<fills count="3"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill>)"
        R"(<fill><patternFill patternType="solid"><fgColor rgb="FFFFFF00"/></patternFill></fill></fills>)"
        R"(<borders count="1"><border/></borders><cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
        R"(<cellXfs count="3"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
        R"(<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/>)"
        R"(<xf numFmtId="0" fontId="0" fillId="2" borderId="0" xfId="0" applyFill="1"/></cellXfs></styleSheet>)");
    package.Put("xl/sharedStrings.xml", declaration + "<sst" + main +
        R"( count="3" uniqueCount="3"><si><t>Report</t></si><si><t>Keep</t></si><si><t>six</t></si></sst>)");
    package.Put("xl/worksheets/sheet1.xml", declaration + "<worksheet" + main +
        R"(><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c></row></sheetData></worksheet>)");
    package.Put("xl/worksheets/sheet2.xml", declaration + "<worksheet" + main +
        R"(><dimension ref="A4:G7"/><cols><col min="10" max="11" width="9" style="2"/></cols><sheetData>)"
        R"(<row r="4" spans="1:2" s="2" customFormat="1"><c r="A4"><f t="shared" ref="A4:A7" si="0">B4*2</f><v>0</v></c>)"
        R"(<c r="B4" s="1" t="s"><v>1</v></c></row>)"
        R"(<row r="6"><c r="F6" s="1" t="s"><v>2</v></c></row>)"
        R"(<row r="7"><c r="A7"><f t="shared" si="0"/><v>0</v></c><c r="G7" t="inlineStr"><is><t>tail</t></is></c></row>)"
        R"(</sheetData><pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/></worksheet>)");
    package.Put("xl/calcChain.xml", declaration + "<calcChain" + main + R"(><c r="A4" i="2"/><c r="A7"/></calcChain>)");
    return package;
}

void WriteZipBomb(const std::string& path, std::uint64_t bytes)
{
    const std::string zeros(1 << 20, '\0');
    DeflateStream stream;
    for (std::uint64_t written = 0; written < bytes; written += zeros.size())
        stream.Write(std::string_view(zeros).substr(0, std::min<std::uint64_t>(zeros.size(), bytes - written)));
    ZipPackage bomb;
    bomb.PutDeflated("xl/workbook.xml", stream.Finish());
    bomb.Write(path);
}

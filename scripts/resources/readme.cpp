// Read-me, written once and rendered as RTF (code page 950) and as HTML.
//
// Paragraph kinds: T title, H heading, P body, B bullet, C sample lines,
// N closing note, F picture (HTML only: "path|caption").  Inline: [b]..[/b] bold, [i]..[/i] italic.

#include "resources.h"

#include <QStringList>
#include <QTextStream>

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace resources {

namespace {

struct Para
{
    char kind;
    const char* text;
};

const std::vector<Para>& readme()
{
    static const std::vector<Para> doc = {
        {'T', "Tolvane99 多媒體播放器 使用說明"},
        {'P', "歡迎使用 "
              "[b]Tolvane99[/"
              "b]！這是一台放在桌面上的小音響：播放光碟、音樂和影片，還可以隨心情更換外觀。"
              "第一次使用請花一分鐘看完這份說明。"},
        {'F', "Desk/Tolvan.JPG|預設面板：左邊是畫面，右邊是時間顯示、控制台、選曲鍵和功能鈕"},
        {'H', "可以播放什麼"},
        {'B', "[b]影音光碟（VCD）與音樂 "
              "CD[/b]：放入光碟後按「開啟光碟」功能鈕，程式會自動辨認光碟並開始播放。"},
        {'B', "[b]電腦裡的檔案[/"
              "b]：MP3、WAV、MIDI、AVI、MOV、MPEG。在「開啟光碟」鈕上按右鍵，選「搜尋目錄」，"
              "整個資料夾的歌曲就會變成專輯，依序播放。"},
        {'B', "[b]光碟映像檔[/b]（.cue/.bin、.iso）設定成虛擬光碟機之後，也能像真的光碟一樣使用。"},
        {'H', "按鈕怎麼用"},
        {'B',
         "[b]控制台[/b]：播放、停止、上一首、下一首、後退、前進、音量大小、退片、隱藏面板與結束。"
         "多數按鈕按[i]右鍵[/i]會出現選單，可以選前進後退的時間、音量或播放速度。"},
        {'B', "[b]時間游標[/b]：按住游標拖到想聽的地方，放開後就會跳過去。"},
        {'B', "[b]選曲鍵[/b]：按數字直接選軌道或歌曲；「>>」切換到下一頁。播放 MP3 "
              "時，在數字鍵上按右鍵可以挑專輯裡的歌，"
              "在「>>」上按右鍵可以選擇播放清單。"},
        {'B', "[b]功能鈕[/b]：開啟光碟、放大播放視窗、更換面板、設定參數。"},
        {'H', "更換面板"},
        {'P', "面板就是一張圖片。把 JPG、BMP 或 GIF 圖片放進程式目錄裡的 [i]Skin[/i] 資料夾，"
              "再按「更換面板」鈕（右鍵是快速選單）就能選用。選單會列出每張圖的大小，比螢幕大的圖片"
              "無法使用。"},
        {'P', "[b]GIF "
              "面板[/b]以圖片[i]左上角那一點[/i]的顏色當作透明色，視窗會變成圖形的形狀，試試附贈的 "
              "[i]Jade.gif[/i]！"},
        {'P', "按鈕是從面板圖片上剪下來的，再用 [i]Button Mask[/i] 資料夾裡的遮罩圖加上立體感。"
              "在「按鈕顏色設定」視窗可以調整按鈕顏色、拖曳按鈕位置並「儲存按鈕配置」；"
              "想回到原來的樣子，按「恢復原始設定」。換了遮罩後按鈕沒有變化時，"
              "請到「設定參數」按「清除按鈕快取」。"},
        {'H', "歌詞"},
        {'P',
         "把歌詞存成和歌曲[b]同名[/b]的文字檔，副檔名用 .txt，放在音樂檔旁邊，"
         "例如 [i]海風.mp3[/i] 的歌詞就是 [i]海風.txt[/i]。第一行寫歌名，之後每一行前面加上時間"
         "「分:秒:百分秒」："},
        {'C', "海風 - 夏日的歌"},
        {'C', "00:12:50 第一句歌詞"},
        {'C', "00:18:00 第二句歌詞"},
        {'P', "播放時歌詞會一句一句跟著唱；在訊息列上按一下，可以看整篇歌詞。"
              "[i]小提醒：歌詞裡不要用半形逗號，它會把一句拆成兩行。[/i]"},
        {'H', "播放清單"},
        {'P',
         "在「播放選單」裡選「清單檔播放(m3u)」，打開「播放清單設定」：從左邊挑歌曲加入、調整順序，"
         "存成 .m3u "
         "清單檔，按「開始播放」就好。播放中在播放鈕上按右鍵，也能把目前的歌「加入清單中」。"},
        {'H', "抓圖"},
        {'P',
         "看影片時在「放大播放視窗」鈕上按右鍵，可以「單張抓圖」或「連續抓圖」，圖片存成 BMP 檔；"
         "存放的資料夾、格數和畫格大小都可以在「抓圖參數設定」視窗裡調整。"},
        {'N',
         "不想每次啟動都看到這份說明？勾選下方的「下次不要顯示此說明」就可以了。祝您聆賞愉快 ♪"},
    };
    return doc;
}

class Cp950
{
public:
    Cp950() : cd_(iconv_open("CP950", "UTF-8"))
    {
        if (cd_ == iconv_t(-1)) {
            std::perror("iconv_open CP950");
            std::exit(1);
        }
    }
    ~Cp950() { iconv_close(cd_); }
    // Bytes of one character in code page 950, or empty when it has none.
    std::string encode(const QString& ch)
    {
        QByteArray in = ch.toUtf8();
        char out[16];
        char* ip = in.data();
        size_t il = size_t(in.size());
        char* op = out;
        size_t ol = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &ip, &il, &op, &ol) == size_t(-1))
            return {};
        return std::string(out, size_t(op - out));
    }

private:
    iconv_t cd_;
};

// Splits [b]/[i] markup into runs and hands each run to `emit`.
template <typename F> void runs(const QString& text, F onRun)
{
    bool bold = false, italic = false;
    QString cur;
    for (int i = 0; i < text.size();) {
        auto tag = [&](const char* t) {
            return text.mid(i, int(std::strlen(t))) == QLatin1String(t);
        };
        const char* tags[] = {"[b]", "[/b]", "[i]", "[/i]"};
        bool matched = false;
        for (const char* t : tags) {
            if (!tag(t))
                continue;
            if (!cur.isEmpty())
                onRun(cur, bold, italic);
            cur.clear();
            if (t[1] == 'b')
                bold = true;
            else if (t[1] == 'i')
                italic = true;
            else if (t[2] == 'b')
                bold = false;
            else
                italic = false;
            i += int(std::strlen(t));
            matched = true;
            break;
        }
        if (!matched)
            cur += text[i++];
    }
    if (!cur.isEmpty())
        onRun(cur, bold, italic);
}

std::string rtfText(Cp950& cp, const QString& s)
{
    std::string out;
    char buf[16];
    for (QChar ch : s) {
        const ushort u = ch.unicode();
        if (u < 0x80) {
            if (ch == '\\' || ch == '{' || ch == '}')
                out += '\\';
            out += char(u);
            continue;
        }
        const std::string bytes = cp.encode(QString(ch));
        if (bytes.empty()) {
            // Not in the code page: Unicode escape with a plain fallback.
            std::snprintf(buf, sizeof buf, "\\u%d?", int(int16_t(u)));
            out += buf;
            continue;
        }
        // Every byte of a double-byte character is escaped, trail bytes too,
        // since a trail byte may equal a backslash or a brace.
        for (unsigned char b : bytes) {
            std::snprintf(buf, sizeof buf, "\\'%02x", b);
            out += buf;
        }
    }
    return out;
}

QString htmlEscape(const QString& s)
{
    return s.toHtmlEscaped();
}

} // namespace

QByteArray makeRtf()
{
    Cp950 cp;
    std::string r;
    r += "{\\rtf1\\ansi\\ansicpg950\\deff0\\deflang1033\\deflangfe1028\r\n";
    r += "{\\fonttbl{\\f0\\fnil\\fcharset136 Noto Sans CJK TC;}{\\f1\\fswiss\\fcharset0 DejaVu "
         "Sans;}"
         "{\\f2\\fmodern\\fcharset136 Noto Sans Mono CJK TC;}}\r\n";
    r += "{\\colortbl "
         ";\\red20\\green70\\blue130;\\red176\\green60\\blue20;\\red96\\green96\\blue96;}\r\n";
    r += "\\viewkind4\\uc1\\pard\\lang1028\\f0\\fs20\r\n";
    for (const Para& para : readme()) {
        const QString text = QString::fromUtf8(para.text);
        std::string body;
        runs(text, [&](const QString& run, bool b, bool i) {
            std::string s = rtfText(cp, run);
            if (b)
                s = "\\b " + s + "\\b0 ";
            if (i)
                s = "\\i " + s + "\\i0 ";
            body += s;
        });
        switch (para.kind) {
        case 'F':
            break; // the rich-text box shows no pictures
        case 'T':
            r += "\\pard\\qc\\sb120\\sa200\\cf1\\b\\fs36 " + body + "\\b0\\fs20\\cf0\\par\r\n";
            break;
        case 'H':
            r += "\\pard\\sb200\\sa80\\cf2\\b\\fs26 " + body + "\\b0\\fs20\\cf0\\par\r\n";
            break;
        case 'B':
            r += "\\pard\\fi-240\\li480\\sa60 " + rtfText(cp, QStringLiteral("●")) + "\\tab " +
                 body + "\\par\r\n";
            break;
        case 'C':
            r += "\\pard\\li720\\sa0\\f2\\cf3 " + body + "\\f0\\cf0\\par\r\n";
            break;
        case 'N':
            r += "\\pard\\qc\\sb240\\sa60\\cf1\\i " + body + "\\i0\\cf0\\par\r\n";
            break;
        default:
            r += "\\pard\\sa100 " + body + "\\par\r\n";
            break;
        }
    }
    r += "}\r\n";
    return QByteArray::fromStdString(r);
}

QByteArray makeHtml()
{
    QString h;
    QTextStream o(&h);
    o << "<!DOCTYPE html>\n<html lang=\"zh-Hant\">\n<head>\n<meta charset=\"utf-8\">\n"
      << "<title>Tolvane99 使用說明</title>\n<style>\n"
      << "body{margin:0;background:#1c1f24;font-family:\"Noto Sans CJK TC\",\"Noto Sans "
         "TC\",sans-serif;"
         "color:#2a2e35;line-height:1.75}\n"
      << ".page{max-width:760px;margin:28px auto;background:linear-gradient(#f6f7f9,#e9ecf0);"
         "border-radius:14px;box-shadow:0 8px 30px rgba(0,0,0,.5);overflow:hidden}\n"
      << "header{background:linear-gradient(#5a5f68,#2c2f35);color:#eef3f8;padding:22px 30px 18px;"
         "border-bottom:2px solid #40aaff}\n"
      << "header h1{margin:0;font-size:26px;letter-spacing:1px}\n"
      << "header h1 span{font-style:italic;color:#8fd0ff}\n"
      << "main{padding:10px 34px 26px}\n"
      << "h2{color:#b03c14;font-size:18px;margin:26px 0 6px;padding-bottom:4px;border-bottom:1px "
         "solid #cfd5dc}\n"
      << "ul{padding-left:22px;margin:6px 0}\nli{margin:4px 0}\n"
      << "pre{background:#141a22;color:#e0f0f0;border-radius:8px;padding:10px 16px;"
         "font-family:\"Noto Sans Mono CJK TC\",monospace;font-size:14px}\n"
      << "em{color:#14467f}\n"
      << ".note{text-align:center;color:#14467f;font-style:italic;margin-top:28px}\n"
      << "figure{margin:18px 0;text-align:center}\n"
      << "figure img{max-width:100%;border-radius:6px;box-shadow:0 4px 14px rgba(0,0,0,.35)}\n"
      << "figcaption{font-size:13px;color:#60656d;margin-top:6px}\n"
      << "</style>\n</head>\n<body>\n<div class=\"page\">\n";
    auto inlineHtml = [](const QString& text) {
        QString s;
        runs(text, [&](const QString& run, bool b, bool i) {
            QString e = htmlEscape(run);
            if (i)
                e = "<em>" + e + "</em>";
            if (b)
                e = "<strong>" + e + "</strong>";
            s += e;
        });
        return s;
    };
    bool inList = false, inPre = false;
    for (const Para& para : readme()) {
        const QString text = QString::fromUtf8(para.text);
        if (para.kind != 'B' && inList) {
            o << "</ul>\n";
            inList = false;
        }
        if (para.kind != 'C' && inPre) {
            o << "</pre>\n";
            inPre = false;
        }
        switch (para.kind) {
        case 'T': {
            QString t = htmlEscape(text);
            t.replace(QStringLiteral("Tolvane99"), QStringLiteral("<span>Tolvane99</span>"));
            o << "<header><h1>" << t << "</h1></header>\n<main>\n";
            break;
        }
        case 'H':
            o << "<h2>" << inlineHtml(text) << "</h2>\n";
            break;
        case 'B':
            if (!inList)
                o << "<ul>\n";
            inList = true;
            o << "<li>" << inlineHtml(text) << "</li>\n";
            break;
        case 'C':
            o << (inPre ? "\n" : "<pre>") << htmlEscape(text);
            inPre = true;
            break;
        case 'N':
            o << "<p class=\"note\">" << inlineHtml(text) << "</p>\n";
            break;
        case 'F': {
            const QStringList parts = text.split('|');
            o << "<figure><img src=\"" << htmlEscape(parts.value(0)) << "\" alt=\""
              << htmlEscape(parts.value(1)) << "\"><figcaption>" << htmlEscape(parts.value(1))
              << "</figcaption></figure>\n";
            break;
        }
        default:
            o << "<p>" << inlineHtml(text) << "</p>\n";
        }
    }
    if (inList)
        o << "</ul>\n";
    if (inPre)
        o << "</pre>\n";
    o << "</main>\n</div>\n</body>\n</html>\n";
    o.flush();
    return h.toUtf8();
}

} // namespace resources

#include "ui/NumberPad.h"

#include "app/Context.h"
#include "forms/Forms.h"
#include "forms/FrmVCD.h"
#include "playback/MediaProcedures.h"

#include <QRegularExpression>

namespace tolvane {

namespace {

const QColor kPlaying(0, 255, 0);

QColor TextColour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

int NumberPad::KeyNumber(int key) const
{
    static const QRegularExpression leading("^\\s*(\\d+)");
    const QRegularExpressionMatch match = leading.match(forms_.Vcd().LabNum[key]->text());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

void NumberPad::CentreLabel(int key)
{
    FrmVCD& vcd = forms_.Vcd();
    QLabel* label = vcd.LabNum[key];
    label->adjustSize();
    CentreOn(label, vcd.PicNum[key]);
}

void NumberPad::ChkLab(bool firstPage)
{
    FrmVCD& vcd = forms_.Vcd();
    const int keys = int(vcd.LabNum.size());
    const int numbered = keys - 1;
    const bool second = KeyNumber(0) == 1 && !firstPage;
    const int first = second ? keys : 1;

    Mci& mci = context_.platform.mci;
    mci.SendString("Set CDAudio time format tmsf ", nullptr, 0);
    const int count = context_.device.TrackCount;
    const bool audioCd = context_.playback.PlayMode == MediaMode::CdAudio;

    QLabel* page = vcd.LabNum[numbered];
    page->setEnabled(count > numbered);
    page->setText(second ? "<<" : ">>");
    CentreLabel(numbered);

    const QList<QColor>& colours = context_.app.LabNumColors;
    for (int i = 0; i < numbered; ++i) {
        const int track = first + i;
        QLabel* label = vcd.LabNum[i];
        label->setText(QString::number(track));
        if (i < colours.size())
            SetTextColour(label, colours[i]);
        if (count == 0 || track > count) {
            label->setEnabled(false);
            label->setToolTip(QString());
        } else {
            label->setEnabled(true);
            if (audioCd) {
                MciReplyBuffer& reply = context_.playback.MciReply;
                reply.Fill(QChar(0));
                mci.SendString("Status CDAudio length track " + QString::number(track),
                               reply.Data(), MciReplyBuffer::kLength);
                label->setToolTip(reply.Text());
            }
        }
        CentreLabel(i);
    }
}

void NumberPad::ChkLabColor(int index)
{
    FrmVCD& vcd = forms_.Vcd();
    const QList<QColor>& colours = context_.app.LabNumColors;
    for (int i = 0; i + 1 < vcd.LabNum.size(); ++i) {
        QLabel* label = vcd.LabNum[i];
        const QColor wanted =
            KeyNumber(i) == index + 1 ? kPlaying : colours.value(i, TextColour(label));
        if (TextColour(label) != wanted)
            SetTextColour(label, wanted);
    }
}

} // namespace tolvane

#pragma once
// The Protection page: the parameter page of its block plus "Load para",
// which fills three reference points from IqSet.txt, writes the block and
// hands the loaded Torque PID gain to the chain that writes it next.

#include "pages/ui/parameterpage.h"

class LoadParaChain;
class QPushButton;

class ProtectionPage : public ParameterPage
{
    Q_OBJECT
public:
    ProtectionPage(ParameterService &service, const LanguageState &language, MessageService &messages,
                   LoadParaChain &chain, QWidget *parent = nullptr);

    // Reads and checks the file; a list that cannot be trusted is explained
    // and nothing is sent.
    void cmdLoadPara_Click();

    void applyCaptions() override;

private:
    LoadParaChain &m_chain;
    QPushButton *m_loadPara = nullptr;
};

#include "QuestionBank.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>

// Hand-laid tables of data: kept as written.
// clang-format off

namespace zelvora::sampledata {

namespace {

// SplitMix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(uint64_t seed) : m_state(seed) {}
    uint64_t next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<uint64_t>(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); }

private:
    uint64_t m_state;
};

struct FixedQuestion {
    const char* subject;
    const char* stem;
    const char* right;
    std::array<const char*, 4> wrong;
};

const FixedQuestion FixedQuestions[] = {
    {"Língua Portuguesa",
     "Assinale a alternativa em que a palavra está grafada corretamente.",
     "exceção", {"excessão", "exseção", "esceção", "excecção"}},
    {"Língua Portuguesa",
     "Assinale a alternativa em que o acento grave indicativo de crase está empregado corretamente.",
     "O relatório foi entregue à diretora do setor.",
     {"Começou à chover no fim da tarde.", "Ficou frente à frente com o auditor.",
      "Referiu-se à todos os servidores.", "O prazo vai de segunda à sexta-feira."}},
    {"Língua Portuguesa",
     "Na frase \"Os candidatos, embora cansados, concluíram a prova\", a oração destacada por vírgulas expressa ideia de",
     "concessão.", {"causa.", "finalidade.", "condição.", "consequência."}},
    {"Língua Portuguesa",
     "Assinale a alternativa em que a concordância verbal está de acordo com a norma-padrão.",
     "Haviam de chegar, pela manhã, os novos processos.",
     {"Fazem dez anos que o concurso foi realizado.", "Houveram muitas reclamações sobre o edital.",
      "Existe, na secretaria, documentos pendentes.", "Vende-se salas comerciais no centro."}},
    {"Língua Portuguesa",
     "O sinônimo mais adequado para \"exíguo\" na frase \"O prazo era exíguo para a entrega\" é",
     "escasso.", {"extenso.", "exato.", "adequado.", "flexível."}},
    {"Língua Portuguesa",
     "Assinale a alternativa em que o pronome está colocado de acordo com a norma-padrão.",
     "Nunca se viu tamanha dedicação.",
     {"Me informaram do resultado ontem.", "Não encontrei-o na repartição.",
      "Quando viu-me, acenou da porta.", "Ninguém avisou-nos da mudança."}},
    {"Língua Portuguesa",
     "Em \"A comissão analisou os recursos apresentados\", o termo \"os recursos apresentados\" exerce a função de",
     "objeto direto.", {"sujeito.", "objeto indireto.", "adjunto adverbial.", "predicativo do sujeito."}},
    {"Língua Portuguesa",
     "Assinale a alternativa cuja palavra é acentuada pela mesma regra de \"público\".",
     "análise", {"até", "saúde", "café", "também"}},
    {"Raciocínio Lógico",
     "A negação da proposição \"Todos os servidores chegaram no horário\" é",
     "Algum servidor não chegou no horário.",
     {"Nenhum servidor chegou no horário.", "Todos os servidores chegaram atrasados.",
      "Algum servidor chegou no horário.", "Nenhum servidor chegou atrasado."}},
    {"Raciocínio Lógico",
     "Se \"Se chove, então a rua fica molhada\" é verdadeira e a rua não está molhada, conclui-se que",
     "não choveu.", {"choveu.", "a rua está seca porque não choveu ontem.",
                     "nada se pode concluir.", "choveu, mas a rua secou."}},
    {"Raciocínio Lógico",
     "Uma proposição composta do tipo \"p ou q\" é falsa somente quando",
     "p e q são ambas falsas.", {"p é verdadeira.", "q é verdadeira.",
                                 "p e q são ambas verdadeiras.", "p é falsa e q é verdadeira."}},
    {"Informática",
     "Em uma planilha eletrônica, a fórmula =SOMA(A1:A4) calcula",
     "a soma dos valores das células A1, A2, A3 e A4.",
     {"a soma das células A1 e A4 apenas.", "a média dos valores de A1 a A4.",
      "a quantidade de células preenchidas de A1 a A4.", "o maior valor entre A1 e A4."}},
    {"Informática",
     "O protocolo normalmente utilizado para o envio de mensagens de correio eletrônico é o",
     "SMTP.", {"FTP.", "HTTP.", "DNS.", "DHCP."}},
    {"Informática",
     "Para proteger um computador contra acessos não autorizados vindos da rede, utiliza-se",
     "um firewall.", {"um compactador de arquivos.", "um editor de textos.",
                      "um desfragmentador de disco.", "um gerenciador de fontes."}},
    {"Informática",
     "Qual das unidades abaixo representa a maior quantidade de informação?",
     "1 terabyte", {"1 gigabyte", "1 megabyte", "1 kilobyte", "1 byte"}},
    {"Informática",
     "Um arquivo com a extensão \".pdf\" é, em geral,",
     "um documento em formato portátil, de leitura em diversos sistemas.",
     {"um programa executável.", "uma planilha de cálculo editável.", "um arquivo de áudio.",
      "uma pasta compactada."}},
    {"Direito Administrativo",
     "São princípios expressos da Administração Pública na Constituição Federal:",
     "legalidade, impessoalidade, moralidade, publicidade e eficiência.",
     {"legalidade, celeridade, moralidade, sigilo e economia.",
      "supremacia, impessoalidade, hierarquia, publicidade e eficiência.",
      "legalidade, oportunidade, conveniência, sigilo e eficácia.",
      "razoabilidade, proporcionalidade, sigilo, autonomia e economicidade."}},
    {"Direito Administrativo",
     "O ato administrativo que extingue outro ato válido por razões de conveniência e oportunidade chama-se",
     "revogação.", {"anulação.", "convalidação.", "cassação.", "caducidade."}},
    {"Direito Administrativo",
     "A licitação destina-se, entre outros objetivos, a",
     "garantir a observância do princípio da isonomia e selecionar a proposta mais vantajosa.",
     {"dispensar a publicidade dos contratos públicos.", "assegurar a contratação do fornecedor mais antigo.",
      "substituir o controle externo dos gastos.", "permitir a escolha pessoal do gestor."}},
    {"Direito Administrativo",
     "O poder que permite à Administração aplicar sanções aos seus servidores por faltas funcionais é o poder",
     "disciplinar.", {"de polícia.", "regulamentar.", "hierárquico de revisão.", "legislativo."}},
    {"Direito Constitucional",
     "Segundo a Constituição, são Poderes da União, independentes e harmônicos entre si,",
     "o Legislativo, o Executivo e o Judiciário.",
     {"o Executivo, o Moderador e o Judiciário.", "o Legislativo, o Ministério Público e o Executivo.",
      "o Judiciário, a Defensoria e o Legislativo.", "o Executivo, o Judiciário e o Tribunal de Contas."}},
    {"Direito Constitucional",
     "O remédio constitucional adequado para proteger a liberdade de locomoção é o",
     "habeas corpus.", {"mandado de segurança.", "habeas data.", "mandado de injunção.", "ação popular."}},
    {"Direito Constitucional",
     "O acesso a informações pessoais constantes de registros de órgãos públicos é assegurado por meio de",
     "habeas data.", {"habeas corpus.", "ação civil pública.", "mandado de injunção.", "reclamação."}},
    {"Administração Pública",
     "No processo administrativo, a etapa de planejamento consiste em",
     "definir objetivos e os meios para alcançá-los.",
     {"avaliar o desempenho já realizado.", "distribuir tarefas entre as equipes.",
      "corrigir desvios após a execução.", "arquivar os documentos do setor."}},
    {"Administração Pública",
     "O atendimento ao cidadão com qualidade pressupõe, sobretudo,",
     "cortesia, clareza nas informações e respeito aos prazos.",
     {"rapidez, ainda que com informações incompletas.", "sigilo sobre todos os procedimentos.",
      "atendimento exclusivo por escrito.", "prioridade a quem chegar com indicação."}},
    {"Arquivologia",
     "O arquivo que reúne documentos de uso frequente pelo setor que os produziu é o arquivo",
     "corrente.", {"permanente.", "intermediário.", "histórico.", "morto."}},
    {"Arquivologia",
     "O instrumento que define os prazos de guarda e a destinação final dos documentos é a",
     "tabela de temporalidade.", {"ficha de empréstimo.", "guia de remessa.", "lista de presença.",
                                  "folha de rosto."}},
    {"Língua Portuguesa",
     "Assinale a alternativa em que o uso do \"porquê\" está correto.",
     "Ninguém explicou o porquê da mudança de data.",
     {"Porquê o edital foi alterado?", "Não sei porquê ele faltou.", "Ele faltou por quê estava doente.",
      "Por que não? Porquê sim."}},
    {"Língua Portuguesa",
     "Assinale a alternativa em que a regência verbal segue a norma-padrão.",
     "Os candidatos assistiram à palestra sobre o edital.",
     {"Prefiro estudar do que trabalhar.", "O servidor obedeceu o regulamento.",
      "Ele aspirava o cargo de diretor.", "Esqueci do prazo de inscrição."}},
    {"Língua Portuguesa",
     "Na frase \"O resultado será divulgado amanhã\", a voz verbal é",
     "passiva analítica.", {"ativa.", "reflexiva.", "passiva sintética.", "recíproca."}},
    {"Língua Portuguesa",
     "Assinale a alternativa em que todas as palavras estão grafadas corretamente.",
     "análise, paralisação, exceção.",
     {"analize, paralização, exceção.", "análise, paralização, excessão.",
      "analise, paralisação, esceção.", "análize, paralisação, exceção."}},
    {"Informática",
     "No navegador de internet, o atalho que abre uma nova aba é, em geral,",
     "Ctrl + T.", {"Ctrl + P.", "Ctrl + S.", "Ctrl + Z.", "Ctrl + B."}},
    {"Informática",
     "Um programa que se copia para outros arquivos e se espalha quando eles são executados é um",
     "vírus.", {"navegador.", "driver.", "compilador.", "antivírus."}},
    {"Informática",
     "Em um editor de textos, a função de \"localizar e substituir\" serve para",
     "trocar uma palavra por outra em todo o documento.",
     {"verificar a ortografia do texto.", "alterar o tamanho da página.",
      "inserir uma tabela no documento.", "imprimir apenas a página atual."}},
    {"Direito Administrativo",
     "A investidura em cargo público efetivo depende, em regra, de",
     "aprovação prévia em concurso público.",
     {"indicação da chefia imediata.", "tempo de serviço na iniciativa privada.",
      "entrevista com a autoridade máxima do órgão.", "sorteio entre os interessados."}},
    {"Direito Administrativo",
     "O atributo do ato administrativo que permite sua execução pela própria Administração, sem ordem judicial, é a",
     "autoexecutoriedade.", {"tipicidade.", "motivação.", "discricionariedade.", "publicidade."}},
    {"Direito Constitucional",
     "A Constituição Federal atualmente em vigor no Brasil foi promulgada em",
     "1988.", {"1946.", "1967.", "1969.", "1891."}},
    {"Direito Constitucional",
     "É direito social previsto na Constituição:",
     "a educação.", {"a propriedade de imóveis rurais.", "o sigilo das correspondências.",
                     "a liberdade de crença.", "o direito de petição."}},
    {"Ética no Serviço Público",
     "Diante de um pedido de informação pública feito por um cidadão, o servidor deve",
     "atendê-lo nos prazos e na forma da lei, com cortesia.",
     {"exigir que o cidadão explique o motivo do pedido.", "negar o pedido se estiver sem tempo.",
      "encaminhá-lo sempre ao superior, sem resposta.", "responder apenas verbalmente."}},
    {"Ética no Serviço Público",
     "Receber presente de quem tem interesse em decisão do servidor configura, em regra,",
     "conduta vedada, por ferir a imparcialidade.",
     {"cortesia permitida em qualquer valor.", "prática recomendada de bom relacionamento.",
      "obrigação de registro apenas no fim do ano.", "conduta livre fora do horário de trabalho."}},
    {"Administração Pública",
     "A descentralização administrativa ocorre quando",
     "o Estado transfere atividades a outra pessoa jurídica.",
     {"um órgão é dividido em departamentos internos.", "o chefe delega tarefas a um subordinado.",
      "o servidor muda de setor dentro do órgão.", "um ministério é extinto sem substituto."}},
};

std::string Percent(int value)
{
    return std::to_string(value) + "%";
}

std::string Number(long long value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += '.';
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

// Builds a question from a right value and candidate wrong values, dropping
// wrong values that repeat the right one or each other.
Question Numeric(Random& random, const char* subject, std::string stem, long long right,
                 std::vector<long long> wrong, const std::function<std::string(long long)>& show)
{
    std::set<long long> used{right};
    std::vector<long long> picked;
    for (long long value : wrong) {
        if (picked.size() == 4)
            break;
        if (used.insert(value).second)
            picked.push_back(value);
    }
    for (long long step = 1; picked.size() < 4; ++step) {
        const long long value = right + step * (step % 2 ? 7 : -5);
        if (used.insert(value).second)
            picked.push_back(value);
    }
    Question question;
    question.subject = subject;
    question.stem = std::move(stem);
    question.correct = random.below(5);
    std::size_t next = 0;
    for (int i = 0; i < 5; ++i)
        question.options[i] = show(i == question.correct ? right : picked[next++]) + ".";
    return question;
}

Question Arithmetic(Random& random, int kind)
{
    const auto money = [](long long cents) { return QuestionBank::Money(cents); };
    const auto plain = [](long long value) { return Number(value); };
    switch (kind % 5) {
    case 0: {
        const long long price = random.between(12, 95) * 10000; // whole reais, in cents
        const int rate = random.between(1, 6) * 5;
        const long long right = price * (100 + rate) / 100;
        return Numeric(random, "Matemática",
                       "Um equipamento custava " + money(price) + " e teve um aumento de " + Percent(rate)
                           + ". Após o aumento, o preço passou a ser",
                       right, {price * rate / 100, price * (100 - rate) / 100, price + rate * 100,
                               price * (100 + 2 * rate) / 100},
                       money);
    }
    case 1: {
        const long long capital = random.between(2, 30) * 100000;
        const int rate = random.between(1, 4);
        const int months = random.between(3, 12);
        const long long right = capital * rate * months / 100;
        return Numeric(random, "Matemática Financeira",
                       "Um capital de " + money(capital) + " foi aplicado a juros simples de " + Percent(rate)
                           + " ao mês durante " + std::to_string(months)
                           + " meses. O valor dos juros obtidos ao final do período é",
                       right, {capital * rate / 100, right + capital, capital * months / 100,
                               capital * rate * (months - 1) / 100},
                       money);
    }
    case 2: {
        const int hours = random.between(2, 5);
        const int speed = random.between(6, 11) * 10;
        const int later = hours + random.between(1, 4);
        const long long right = static_cast<long long>(speed) * later;
        return Numeric(random, "Matemática",
                       "Um veículo percorre " + Number(speed * hours) + " km em " + std::to_string(hours)
                           + " horas. Mantida a mesma velocidade média, a distância percorrida em "
                           + std::to_string(later) + " horas será de",
                       right, {right - speed, right + speed, static_cast<long long>(speed) * hours + later,
                               right + 2 * speed},
                       [](long long v) { return Number(v) + " km"; });
    }
    case 3: {
        const int clerks = random.between(2, 6);
        const int files = clerks * random.between(8, 20);
        const int moreClerks = clerks + random.between(1, 5);
        const long long right = static_cast<long long>(files) / clerks * moreClerks;
        return Numeric(random, "Raciocínio Lógico",
                       "Em um dia de trabalho, " + std::to_string(clerks) + " servidores analisam "
                           + std::to_string(files) + " processos. Com o mesmo ritmo, "
                           + std::to_string(moreClerks) + " servidores analisariam, em um dia,",
                       right, {files + moreClerks - clerks, right - files / clerks, right + files / clerks,
                               static_cast<long long>(files) * moreClerks},
                       [](long long v) { return Number(v) + " processos"; });
    }
    default: {
        const int first = random.between(2, 15);
        const int step = random.between(3, 9);
        const int term = random.between(8, 15);
        const long long right = first + static_cast<long long>(term - 1) * step;
        return Numeric(random, "Raciocínio Lógico",
                       "Na sequência " + std::to_string(first) + ", " + std::to_string(first + step) + ", "
                           + std::to_string(first + 2 * step) + ", " + std::to_string(first + 3 * step)
                           + ", ..., o " + std::to_string(term) + "º termo é",
                       right, {right + step, right - step, first + static_cast<long long>(term) * step + 1,
                               right - 1},
                       plain);
    }
    }
}

Question Fixed(Random& random, const FixedQuestion& fixed)
{
    Question question;
    question.subject = fixed.subject;
    question.stem = fixed.stem;
    question.correct = random.below(5);
    std::array<int, 4> order{0, 1, 2, 3};
    for (int i = 3; i > 0; --i)
        std::swap(order[i], order[random.below(i + 1)]);
    std::size_t next = 0;
    for (int i = 0; i < 5; ++i)
        question.options[i] = i == question.correct ? fixed.right : fixed.wrong[order[next++]];
    return question;
}

} // namespace

std::string QuestionBank::Money(long long cents)
{
    char fraction[4];
    std::snprintf(fraction, sizeof fraction, "%02lld", cents % 100);
    return "R$ " + Number(cents / 100) + "," + fraction;
}

std::vector<Question> QuestionBank::Paper(uint64_t seed, int count)
{
    Random random(seed);
    constexpr int fixedCount = static_cast<int>(std::size(FixedQuestions));
    std::vector<int> order(fixedCount);
    for (int i = 0; i < fixedCount; ++i)
        order[i] = i;
    for (int i = fixedCount - 1; i > 0; --i)
        std::swap(order[i], order[random.below(i + 1)]);

    // Every third question is arithmetic; the rest walk through the fixed
    // questions in shuffled order, then grouped by subject as papers are.
    std::vector<Question> paper;
    int nextFixed = 0;
    for (int n = 0; n < count; ++n) {
        if (n % 3 == 2 || nextFixed == fixedCount)
            paper.push_back(Arithmetic(random, random.below(5)));
        else
            paper.push_back(Fixed(random, FixedQuestions[order[nextFixed++]]));
    }
    std::stable_sort(paper.begin(), paper.end(),
                     [](const Question& a, const Question& b) { return a.subject < b.subject; });
    return paper;
}

std::vector<std::string> QuestionBank::Key(const std::vector<Question>& paper)
{
    std::vector<std::string> key;
    key.reserve(paper.size());
    for (const Question& question : paper)
        key.push_back(question.statement ? (question.correct == 0 ? "C" : "E") : std::to_string(question.correct + 1));
    return key;
}

std::vector<Question> QuestionBank::RightWrongPaper(uint64_t seed, int count)
{
    std::vector<Question> paper = Paper(seed, count);
    Random random(seed ^ 0x5A5A5A5A5A5A5A5Aull);
    for (Question& q : paper) {
        // About half the items state the right option.
        const bool right = random.below(2) == 0;
        int shown = q.correct;
        if (!right)
            shown = (q.correct + 1 + random.below(4)) % 5;
        std::string option = q.options[shown];
        if (!option.empty() && option.back() == '.')
            option.pop_back();
        q.stem = "Considere o enunciado \"" + q.stem + "\" A resposta correta a esse enunciado é: " + option + ".";
        q.options = {};
        q.statement = true;
        q.correct = right ? 0 : 1;
    }
    return paper;
}

} // namespace zelvora::sampledata
// clang-format on

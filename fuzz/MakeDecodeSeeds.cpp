// Writes the decoder's seeds: the compressed, deflated, big-endian and multi-frame samples.
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(SAMPLES_COMPRESSED))
        fs::copy_file(entry.path(), fs::path(argv[1]) / entry.path().filename(), fs::copy_options::overwrite_existing);
    return 0;
}

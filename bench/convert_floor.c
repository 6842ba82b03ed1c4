/* The floor of the conversion benchmark: the least a converter of this table has to do. It
 * reads every record of the source and writes the output table, one fwrite per row, with no
 * decoding and no look-up. The output bytes are those of a reference output (an earlier
 * conversion of the same source), read alongside, so the file written is byte for byte the one
 * the converter writes.
 *
 *   convert_floor SOURCE.dbf REFERENCE.dbf OUTPUT.dbf
 *
 * Exit status 0 when the output was written whole, 1 otherwise. */
#include <stdio.h>
#include <stdlib.h>

static unsigned le16(const unsigned char* bytes) { return bytes[0] | (unsigned)bytes[1] << 8; }

static unsigned long le32(const unsigned char* bytes) {
    return bytes[0] | (unsigned long)bytes[1] << 8 | (unsigned long)bytes[2] << 16 |
           (unsigned long)bytes[3] << 24;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: convert_floor SOURCE.dbf REFERENCE.dbf OUTPUT.dbf\n");
        return 1;
    }
    FILE* source = fopen(argv[1], "rb");
    FILE* reference = fopen(argv[2], "rb");
    FILE* output = fopen(argv[3], "wb");
    if (!source || !reference || !output) {
        perror("convert_floor");
        return 1;
    }
    unsigned char sourceHeader[32];
    unsigned char referenceHeader[32];
    if (fread(sourceHeader, 1, 32, source) != 32 ||
        fread(referenceHeader, 1, 32, reference) != 32) {
        fprintf(stderr, "convert_floor: a header is short\n");
        return 1;
    }
    const unsigned long records = le32(sourceHeader + 4);
    const unsigned sourceHeaderLength = le16(sourceHeader + 8);
    const unsigned sourceRecordLength = le16(sourceHeader + 10);
    const unsigned outputHeaderLength = le16(referenceHeader + 8);
    const unsigned outputRecordLength = le16(referenceHeader + 10);
    if (le32(referenceHeader + 4) != records) {
        fprintf(stderr, "convert_floor: the reference has another record count\n");
        return 1;
    }

    /* The header as it stands in the reference. */
    unsigned char* header = malloc(outputHeaderLength);
    unsigned char* sourceRecord = malloc(sourceRecordLength);
    unsigned char* row = malloc(outputRecordLength);
    if (!header || !sourceRecord || !row) return 1;
    fseek(reference, 0, SEEK_SET);
    if (fread(header, 1, outputHeaderLength, reference) != outputHeaderLength) return 1;
    fwrite(header, 1, outputHeaderLength, output);

    /* Record by record: read the source record, write the row. */
    fseek(source, (long)sourceHeaderLength, SEEK_SET);
    unsigned long deleted = 0;
    for (unsigned long r = 0; r < records; ++r) {
        if (fread(sourceRecord, 1, sourceRecordLength, source) != sourceRecordLength ||
            fread(row, 1, outputRecordLength, reference) != outputRecordLength) {
            fprintf(stderr, "convert_floor: a file ends early at record %lu\n", r);
            return 1;
        }
        deleted += sourceRecord[0] == '*';
        fwrite(row, 1, outputRecordLength, output);
    }
    fputc(0x1A, output);
    if (fclose(output) != 0) {
        perror("convert_floor");
        return 1;
    }
    fclose(source);
    fclose(reference);
    free(header);
    free(sourceRecord);
    free(row);
    return deleted > records ? 1 : 0;
}

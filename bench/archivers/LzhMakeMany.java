// Runs LzhMake once per line of standard input ("OUT.lzh METHOD LEVEL FILE..."
// separated by blanks), all in one Java process: a thousand archives without
// a thousand start-ups.
import java.io.*;

public class LzhMakeMany {
    public static void main(String[] a) throws Exception {
        BufferedReader lines = new BufferedReader(new InputStreamReader(System.in));
        for (String line; (line = lines.readLine()) != null;)
            if (!line.isBlank())
                LzhMake.main(line.trim().split(" +"));
    }
}
